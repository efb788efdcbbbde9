#pragma once
// TStatusBar: the common status bar at the foot of a window. It shows its
// panels side by side (each with its text, width, alignment and bevel; the
// last one reaches the right edge), or, in simple mode, one text across the
// whole bar; a size grip at the right when SizeGrip is set. Panels whose
// style is owner-draw are drawn by OnDrawPanel.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Control.h"

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };
enum TStatusPanelStyle { psText, psOwnerDraw };

class TStatusBar;

class TStatusPanel : public TPersistent {
 public:
  TStatusPanel(TStatusBar& bar, int index) : bar_(bar), index_(index) {}

  int Index() const { return index_; }
  std::wstring Text() const { return text_; }
  void SetText(const std::wstring& text);
  int Width() const { return width_; }
  void SetWidth(int width);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment alignment);
  TStatusPanelBevel Bevel() const { return bevel_; }
  void SetBevel(TStatusPanelBevel bevel);
  TStatusPanelStyle Style() const { return style_; }
  void SetStyle(TStatusPanelStyle style);

  void DescribeProperties(TPropertyTable& table) override;

 private:
  friend class TStatusBar;
  TStatusBar& bar_;
  int index_;
  std::wstring text_;
  int width_ = 50;
  TAlignment alignment_ = taLeftJustify;
  TStatusPanelBevel bevel_ = pbLowered;
  TStatusPanelStyle style_ = psText;
};

class TStatusBar : public TWinControl {
 public:
  using TDrawPanelEvent =
      std::function<void(TStatusBar* Sender, TStatusPanel& Panel, HDC dc, const RECT& rect)>;

  explicit TStatusBar(TComponent* owner);

  TStatusPanel& AddPanel(const std::wstring& text, int width);
  int PanelCount() const { return static_cast<int>(panels_.size()); }
  TStatusPanel& Panel(int index) const { return *panels_.at(static_cast<size_t>(index)); }

  // Simple mode: SimpleText across the whole bar instead of the panels.
  bool SimplePanel() const { return simple_panel_; }
  void SetSimplePanel(bool simple);
  std::wstring SimpleText() const { return simple_text_; }
  void SetSimpleText(const std::wstring& text);
  bool SizeGrip() const { return size_grip_; }
  void SetSizeGrip(bool grip);

  TDrawPanelEvent OnDrawPanel;

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // Panel widths are 96-DPI units; the window's parts follow its DPI.
  void DpiChanged(int old_dpi, int new_dpi) override;
  void WndProc(TMessage& message) override;

 private:
  friend class TStatusPanel;
  void UpdatePanels();
  void UpdatePanel(int index);

  std::vector<std::unique_ptr<TStatusPanel>> panels_;
  bool simple_panel_ = false;
  std::wstring simple_text_;
  bool size_grip_ = true;
};
