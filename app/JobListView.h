#pragma once
// TJobListView: the main window's owner-data job list. Unlike the plain list
// view it lets the user select several rows, and it reports the Delete key.
#include <vector>

#include "framework/ComCtrls.h"

class TJobListView : public TListView {
 public:
  explicit TJobListView(TComponent* owner) : TListView(owner) {}

  // Raised when the Delete key is pressed in the list.
  TNotifyEvent OnDeleteKey;

  // The selected rows, in ascending order.
  std::vector<int> SelectedIndexes() const;
  // Repaints one row (its texts changed).
  void InvalidateRow(int row);
  // Selects exactly the given rows (others lose their selection).
  void SelectIndexes(const std::vector<int>& rows);

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& message) override;
};
