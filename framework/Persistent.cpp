#include "framework/Persistent.h"

#include <charconv>

#include "framework/StringList.h"

void TPropertyTable::Put(TPropInfo info) {
  for (TPropInfo& p : props_) {
    if (AsciiEqualNoCase(p.name, info.name)) {
      p = std::move(info);
      return;
    }
  }
  props_.push_back(std::move(info));
}

void TPropertyTable::Int(std::string name, std::function<std::int64_t()> get,
                         std::function<void(std::int64_t)> set) {
  TPropInfo info;
  info.name = std::move(name);
  info.kind = TPropKind::pkInteger;
  info.get_int = std::move(get);
  info.set_int = std::move(set);
  Put(std::move(info));
}

void TPropertyTable::Enum(std::string name, std::vector<std::string> names,
                          std::function<std::int64_t()> get,
                          std::function<void(std::int64_t)> set) {
  TPropInfo info;
  info.name = std::move(name);
  info.kind = TPropKind::pkEnumeration;
  info.enum_names = std::move(names);
  info.get_int = std::move(get);
  info.set_int = std::move(set);
  Put(std::move(info));
}

void TPropertyTable::Text(std::string name, std::function<std::string()> get,
                          std::function<void(const std::string&)> set) {
  TPropInfo info;
  info.name = std::move(name);
  info.kind = TPropKind::pkText;
  info.get_text = std::move(get);
  info.set_text = std::move(set);
  Put(std::move(info));
}

void TPropertyTable::Object(std::string name, std::function<TPersistent*()> get) {
  TPropInfo info;
  info.name = std::move(name);
  info.kind = TPropKind::pkObject;
  info.get_object = std::move(get);
  Put(std::move(info));
}

const TPropInfo* TPropertyTable::Find(std::string_view name) const {
  for (const TPropInfo& p : props_) {
    if (AsciiEqualNoCase(p.name, name)) return &p;
  }
  return nullptr;
}

TPropertyTable PublishedProperties(TPersistent& object) {
  TPropertyTable table;
  object.DescribeProperties(table);
  return table;
}

bool IsPublishedProp(TPersistent& object, std::string_view name) {
  return PublishedProperties(object).Find(name) != nullptr;
}

std::optional<TPropKind> PropKind(TPersistent& object, std::string_view name) {
  TPropertyTable table = PublishedProperties(object);
  if (const TPropInfo* p = table.Find(name)) return p->kind;
  return std::nullopt;
}

std::int64_t GetIntProp(TPersistent& object, std::string_view name) {
  TPropertyTable table = PublishedProperties(object);
  const TPropInfo* p = table.Find(name);
  if (!p || !p->get_int) return 0;
  return p->get_int();
}

bool SetIntProp(TPersistent& object, std::string_view name, std::int64_t value) {
  TPropertyTable table = PublishedProperties(object);
  const TPropInfo* p = table.Find(name);
  if (!p || !p->set_int) return false;
  if (p->kind == TPropKind::pkEnumeration &&
      (value < 0 || value >= static_cast<std::int64_t>(p->enum_names.size()))) {
    return false;
  }
  p->set_int(value);
  return true;
}

std::string GetEnumPropName(TPersistent& object, std::string_view name) {
  TPropertyTable table = PublishedProperties(object);
  const TPropInfo* p = table.Find(name);
  if (!p || p->kind != TPropKind::pkEnumeration || !p->get_int) return {};
  const std::int64_t v = p->get_int();
  if (v < 0 || v >= static_cast<std::int64_t>(p->enum_names.size())) return {};
  return p->enum_names[static_cast<size_t>(v)];
}

std::string GetTextProp(TPersistent& object, std::string_view name) {
  TPropertyTable table = PublishedProperties(object);
  const TPropInfo* p = table.Find(name);
  if (!p) return {};
  switch (p->kind) {
    case TPropKind::pkText:
      return p->get_text ? p->get_text() : std::string();
    case TPropKind::pkInteger:
      return p->get_int ? std::to_string(p->get_int()) : std::string();
    case TPropKind::pkEnumeration:
      return GetEnumPropName(object, name);
    case TPropKind::pkObject:
      return {};
  }
  return {};
}

bool SetPropText(TPersistent& object, std::string_view name, const std::string& value) {
  TPropertyTable table = PublishedProperties(object);
  const TPropInfo* p = table.Find(name);
  if (!p) return false;
  switch (p->kind) {
    case TPropKind::pkText:
      if (!p->set_text) return false;
      p->set_text(value);
      return true;
    case TPropKind::pkInteger: {
      if (!p->set_int) return false;
      std::int64_t v = 0;
      const char* first = value.data();
      const char* last = value.data() + value.size();
      auto [ptr, ec] = std::from_chars(first, last, v);
      if (ec != std::errc() || ptr != last || value.empty()) return false;
      p->set_int(v);
      return true;
    }
    case TPropKind::pkEnumeration:
      if (!p->set_int) return false;
      for (size_t i = 0; i < p->enum_names.size(); ++i) {
        if (AsciiEqualNoCase(p->enum_names[i], value)) {
          p->set_int(static_cast<std::int64_t>(i));
          return true;
        }
      }
      return false;
    case TPropKind::pkObject:
      return false;
  }
  return false;
}

TPersistent* GetObjectProp(TPersistent& object, std::string_view name) {
  TPropertyTable table = PublishedProperties(object);
  const TPropInfo* p = table.Find(name);
  if (!p || p->kind != TPropKind::pkObject || !p->get_object) return nullptr;
  return p->get_object();
}
