#pragma once
// Published properties readable and writable by name. A class lists its
// published properties in DescribeProperties (calling the base first); the
// free functions below look a property up by name (ASCII case folded), so
// code can read and write properties of objects it knows nothing else about.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Object.h"

enum class TPropKind { pkInteger, pkEnumeration, pkText, pkObject };

class TPersistent;

struct TPropInfo {
  std::string name;
  TPropKind kind = TPropKind::pkInteger;
  // Integer and enumeration properties (an enumeration's ordinal).
  std::function<std::int64_t()> get_int;
  std::function<void(std::int64_t)> set_int;  // empty for read-only
  // Enumeration names by ordinal.
  std::vector<std::string> enum_names;
  // Text properties.
  std::function<std::string()> get_text;
  std::function<void(const std::string&)> set_text;  // empty for read-only
  // Object properties (a sub-object such as a font).
  std::function<TPersistent*()> get_object;
};

class TPropertyTable {
 public:
  void Int(std::string name, std::function<std::int64_t()> get,
           std::function<void(std::int64_t)> set = {});
  void Enum(std::string name, std::vector<std::string> names, std::function<std::int64_t()> get,
            std::function<void(std::int64_t)> set = {});
  void Text(std::string name, std::function<std::string()> get,
            std::function<void(const std::string&)> set = {});
  void Object(std::string name, std::function<TPersistent*()> get);

  const std::vector<TPropInfo>& Props() const { return props_; }
  // Later entries of the same name replace earlier ones (a derived class
  // redeclaring a base property).
  const TPropInfo* Find(std::string_view name) const;

 private:
  void Put(TPropInfo info);
  std::vector<TPropInfo> props_;
};

class TPersistent : public TObject {
 public:
  virtual void DescribeProperties(TPropertyTable&) {}
};

// The published properties of `object`, in declaration order.
TPropertyTable PublishedProperties(TPersistent& object);
bool IsPublishedProp(TPersistent& object, std::string_view name);
std::optional<TPropKind> PropKind(TPersistent& object, std::string_view name);

// Integer/enumeration access. GetIntProp answers 0 for a missing property;
// SetIntProp returns false when there is none or it is read-only.
std::int64_t GetIntProp(TPersistent& object, std::string_view name);
bool SetIntProp(TPersistent& object, std::string_view name, std::int64_t value);
// The name of an enumeration property's current value ("" when absent).
std::string GetEnumPropName(TPersistent& object, std::string_view name);
// Text access: text properties as they are, integers in decimal,
// enumerations by name. SetPropText converts back the same way and returns
// false when the property is missing, read-only or the text does not fit.
std::string GetTextProp(TPersistent& object, std::string_view name);
bool SetPropText(TPersistent& object, std::string_view name, const std::string& value);
TPersistent* GetObjectProp(TPersistent& object, std::string_view name);
