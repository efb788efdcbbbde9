#pragma once
// TScrollBar: a scroll-bar control. It keeps its position between Min and
// Max minus the page, moves by SmallChange on its arrows and LargeChange on
// its track, follows its thumb, and raises OnChange when the position moves.
#include "framework/Control.h"

enum TScrollBarKind { sbHorizontal, sbVertical };

class TScrollBar : public TWinControl {
 public:
  explicit TScrollBar(TComponent* owner);

  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind kind);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  int PageSize() const { return page_size_; }
  void SetParams(int position, int min, int max);
  void SetPosition(int position);
  void SetPageSize(int page_size);
  int SmallChange = 1;
  int LargeChange = 1;

  TNotifyEvent OnChange;

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

 private:
  void Scroll(int code);
  void Apply();
  int Highest() const;

  TScrollBarKind kind_ = sbHorizontal;
  int min_ = 0, max_ = 100, position_ = 0, page_size_ = 0;
};
