#pragma once
// The note's zoom: the memo's text size as a percentage of the layout's, the note's own.
#include "toolkit/controls/stdctrls.h"

namespace note {

// The zoom's limits and step, in percent.
inline constexpr int kMinZoom = 10;
inline constexpr int kMaxZoom = 500;
inline constexpr int kZoomStep = 10;

// A zoom held within the limits and on a step (rounded to the nearest).
int ValidZoom(int percent);

class NoteZoom {
public:
    explicit NoteZoom(tk::TMemo& memo) : memo_(memo) {}

    int Percent() const { return percent_; }
    // Sets the memo's font to the layout's height times `percent` (made valid); the caret, the
    // selection and the first visible line stay.
    void SetPercent(int percent);
    // The whole steps a turn of the wheel by `delta` makes (WHEEL_DELTA a step; finer wheels'
    // parts add up).
    int WheelSteps(int delta);
    // The layout's font height changed (the screen's resolution did): the zoom applies to it.
    void BaseChanged();

private:
    void Apply();

    tk::TMemo& memo_;
    int percent_ = 100;
    int wheel_ = 0; // the wheel's turn not yet made a step
    int baseHeight_ = 0; // the memo's font height at 100 %, taken when first needed
};

} // namespace note
