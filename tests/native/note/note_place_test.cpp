// The record of a note's place: every field comes back, a damaged record is refused, and a note
// comes back where it was, or onto the monitor there is when its own is gone or its DPI changed.
#include "recovery/note_place.h"

#include <gtest/gtest.h>

namespace {

using recovery::NotePlace;
using recovery::Rect;

TEST(NotePlace, EveryFieldComesBackAndADamagedRecordIsRefused) {
    const NotePlace place{"C:\\jegyzetek\\bevásárlás=lista.txt", {-300, 20, 69, 297},
                          {-1280, 0, 0, 1024}, 144, true, 130};
    const std::string text = recovery::EncodeNotePlace(place);
    const std::optional<NotePlace> back = recovery::DecodeNotePlace(text);
    ASSERT_TRUE(back);
    EXPECT_TRUE(*back == place);
    EXPECT_TRUE(recovery::DecodeNotePlace(text + "later=field\r\n")); // a later version's key
    EXPECT_FALSE(recovery::DecodeNotePlace("not a record\r\n"));
    EXPECT_FALSE(recovery::DecodeNotePlace(""));
    // A record cut anywhere before its window and monitor, or with a window of no size, is none.
    EXPECT_FALSE(recovery::DecodeNotePlace(text.substr(0, text.find("monitor="))));
    std::string empty = text;
    empty.replace(empty.find("-300,20,69"), 10, "69,20,69");
    EXPECT_FALSE(recovery::DecodeNotePlace(empty));
    std::string zoom = text;
    zoom.replace(zoom.find("zoom=130"), 8, "zoom=9000");
    EXPECT_FALSE(recovery::DecodeNotePlace(zoom));
}

TEST(NotePlace, ANoteComesBackWhereItWasOrOnTheMonitorThereIs) {
    const NotePlace place{"", {1600, 100, 1969, 377}, {1280, 0, 2560, 1024}, 96, false, 100};
    const Rect work{0, 0, 1280, 984};
    // Its monitor is there at the same DPI: exactly where it was, whatever the work area says.
    EXPECT_TRUE(recovery::PlaceOnDesktop(place, true, work, 96) == place.Window);
    // Its monitor is gone: the same offset from the corner of the monitor there is.
    EXPECT_TRUE(recovery::PlaceOnDesktop(place, false, work, 96) == (Rect{320, 100, 689, 377}));
    // Moved as far as the work area allows, never beyond it.
    NotePlace far = place;
    far.Window = {2400, 900, 2769, 1177};
    EXPECT_TRUE(recovery::PlaceOnDesktop(far, false, work, 96) == (Rect{911, 707, 1280, 984}));
    // A DPI of 144 where it was 96: size and offset one and a half times.
    EXPECT_TRUE(recovery::PlaceOnDesktop(place, true, {0, 0, 2560, 1600}, 144) ==
                (Rect{480, 150, 1034, 566}));
}

} // namespace
