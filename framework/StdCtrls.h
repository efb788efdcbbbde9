#pragma once
// Standard controls of the framework: buttons, edits, labels, group boxes
// and panels.
#include "framework/Control.h"

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  TNotifyEvent OnClick;
  // Raises OnClick as a press of the button would (a menu button opens its
  // menu as well).
  virtual void Click();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;
};

class TEdit : public TWinControl {
 public:
  explicit TEdit(TComponent* owner);
  std::wstring Text() const { return Caption(); }
  void SetText(const std::wstring& text) { SetCaption(text); }
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only);

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  bool read_only_ = false;
};

class TLabel : public TWinControl {
 public:
  explicit TLabel(TComponent* owner);

 protected:
  void CreateParams(TCreateParams& params) override;
};

// A framed box with a caption on its top edge; a container for controls.
class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner);
  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
  void AdjustClientRect(RECT& rect) override;

 private:
  void Paint(HDC dc);
};

// A plain container.
class TPanel : public TWinControl {
 public:
  explicit TPanel(TComponent* owner);
  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateParams(TCreateParams& params) override;
};
