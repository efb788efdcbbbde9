#pragma once
// TMdiFrameForm: the frame of an MDI window. Its client area is one MDI
// client window, in which child forms (TForm made with
// TFormStyle::mdi_client = ClientHandle()) live; messages the frame leaves
// go to DefFrameProc, those its children leave to DefMDIChildProc. The
// item named by SetWindowMenu gets the list of the open children, which the
// system keeps; commands from that list activate a child.
//
// The MDI client fills the frame's whole client area (DefFrameProc sizes
// it), so a frame holds no aligned controls of its own.
#include <windows.h>

#include <string>

#include "framework/Form.h"

class TMenuItem;

class TMdiFrameForm : public TForm {
 public:
  TMdiFrameForm(TComponent* owner, const TFormStyle& style);
  ~TMdiFrameForm() override;

  // The MDI client window (a child of the frame, gone with it).
  HWND ClientHandle() const { return FrameClient(); }
  // A style for a child form of this frame.
  TFormStyle ChildStyle(const std::wstring& caption, int client_width, int client_height) const;

  // The item of Menu() whose submenu lists the children (borrowed; null
  // for none).
  TMenuItem* WindowMenu() const { return window_menu_; }
  void SetWindowMenu(TMenuItem* item);

  // The active child form, or null.
  TForm* ActiveMDIChild() const;
  bool ActiveChildMaximized() const;
  // The child forms, in the client's window order (topmost first).
  int MDIChildCount() const;
  TForm* MDIChildren(int index) const;

  void Tile(bool horizontal = false);
  void Cascade();
  void ArrangeIcons();
  void Next();

 protected:
  void WndProc(TMessage& message) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  // Gives the client the menu bar and the window menu's submenu.
  void PassMenuToClient();

  TMenuItem* window_menu_ = nullptr;
};
