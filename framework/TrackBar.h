#pragma once
// TTrackBar: a track-bar control (a thumb slid along a channel). It keeps
// its position between Min and Max, follows the thumb as the user drags it
// or uses the keys, and raises OnChange when the position moves. Tick marks
// stand every Frequency positions on one side, the other or both.
#include "framework/Control.h"

enum TTrackBarOrientation { trHorizontal, trVertical };
// Which side the ticks stand on: below (or right of) the channel, above
// (or left of) it, or both.
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto };

class TTrackBar : public TWinControl {
 public:
  explicit TTrackBar(TComponent* owner);

  int Min() const { return min_; }
  int Max() const { return max_; }
  // The position the control shows (read back from it while it has a
  // window, so a drag in progress is seen).
  int Position() const;
  void SetMin(int min);
  void SetMax(int max);
  void SetPosition(int position);
  int Frequency() const { return frequency_; }
  void SetFrequency(int frequency);

  // These shape the window: changing them makes it anew.
  TTrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TTrackBarOrientation orientation);
  TTickMark TickMarks() const { return tick_marks_; }
  void SetTickMarks(TTickMark marks);
  TTickStyle TickStyle() const { return tick_style_; }
  void SetTickStyle(TTickStyle style);

  TNotifyEvent OnChange;

  void DescribeProperties(TPropertyTable& table) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

 private:
  void Apply();
  void Restyle();
  // The control moved its thumb: take the new position, tell OnChange.
  void Follow();

  int min_ = 0, max_ = 10, position_ = 0, frequency_ = 1;
  TTrackBarOrientation orientation_ = trHorizontal;
  TTickMark tick_marks_ = tmBottomRight;
  TTickStyle tick_style_ = tsAuto;
};
