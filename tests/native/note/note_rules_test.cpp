#include "app/command_line.h"
#include "noteform_unit/note_shortcuts.h"
#include "document/note_title.h"
#include "toolkit/forms/file_dialog_rules.h"
#include "toolkit/graphics/glyph_fallback.h"

#include <gtest/gtest.h>

TEST(NoteTitle, IsTheFileNameWithoutItsFolder) {
    EXPECT_EQ(note::FileNameWithoutFolder("D:\\notes\\list.txt"), "list.txt");
    EXPECT_EQ(note::FileNameWithoutFolder("D:list.txt"), "list.txt");
    EXPECT_EQ(note::FileNameWithoutFolder("\\\\server\\share\\a.b.txt"), "a.b.txt");
    EXPECT_EQ(note::FileNameWithoutFolder("plain"), "plain");
    EXPECT_EQ(note::FileNameWithoutFolder("C:\\dir\\"), "");
    // A forward slash is not a folder separator here.
    EXPECT_EQ(note::FileNameWithoutFolder("C:\\a/b.txt"), "a/b.txt");
}

TEST(CommandLine, TheFirstArgumentIsTheNoteToOpenQuotedOrNot) {
    EXPECT_EQ(app::FirstArgument("pinlet.exe"), "");
    EXPECT_EQ(app::FirstArgument("pinlet.exe   "), "");
    EXPECT_EQ(app::FirstArgument("pinlet.exe todo.txt"), "todo.txt");
    EXPECT_EQ(app::FirstArgument("pinlet.exe\tC:\\notes\\todo.txt more ignored"),
              "C:\\notes\\todo.txt");
    EXPECT_EQ(
        app::FirstArgument("\"C:\\Program Files\\Pinlet\\pinlet.exe\" \"D:\\My Notes\\a b.txt\""),
        "D:\\My Notes\\a b.txt");
    EXPECT_EQ(app::FirstArgument("pinlet.exe \"D:\\open ended"), "D:\\open ended");
    EXPECT_EQ(app::FirstArgument("\"pinlet.exe\"x.txt"), "x.txt");
}

TEST(GlyphFallback, TheNotesOwnGlyphStandsInForASubstitutedFaceOrAMissingGlyph) {
    EXPECT_FALSE(tk::NeedsOwnGlyph("Wingdings", "Wingdings", 42));
    EXPECT_FALSE(tk::NeedsOwnGlyph("Wingdings 3", "WINGDINGS 3", 0)); // names ignore case
    EXPECT_TRUE(tk::NeedsOwnGlyph("Wingdings 3", "Tahoma", 42));      // substituted
    EXPECT_TRUE(tk::NeedsOwnGlyph("Wingdings", "Wingdings", tk::kMissingGlyph));
    EXPECT_TRUE(tk::NeedsOwnGlyph("Wingdings", "Wingding", 42));
}

TEST(NoteShortcuts, CtrlWithALetterStandsForACommandAndNothingElseDoes) {
    using note::NoteCommand;
    auto command = [](unsigned key, bool ctrl, bool shift = false, bool alt = false) {
        return note::CommandFor({key, ctrl, shift, alt});
    };
    EXPECT_EQ(command('S', true), NoteCommand::Save);
    EXPECT_EQ(command('S', true, true), NoteCommand::SaveAs);
    EXPECT_EQ(command('O', true), NoteCommand::Open);
    EXPECT_EQ(command('T', true), NoteCommand::Pin);
    EXPECT_EQ(command('W', true), NoteCommand::Close);
    EXPECT_EQ(command('N', true), NoteCommand::NewNote);
    EXPECT_EQ(command('F', true), NoteCommand::Find);
    constexpr unsigned f3 = 0x72, oemPlus = 0xBB, oemMinus = 0xBD, add = 0x6B, subtract = 0x6D,
                       numpad0 = 0x60;
    EXPECT_EQ(command(f3, false), NoteCommand::FindNext);
    EXPECT_EQ(command(f3, false, true), NoteCommand::FindPrevious);
    for (bool shift : {false, true}) {
        EXPECT_EQ(command(oemPlus, true, shift), NoteCommand::ZoomIn);
        EXPECT_EQ(command(add, true, shift), NoteCommand::ZoomIn);
        EXPECT_EQ(command(oemMinus, true, shift), NoteCommand::ZoomOut);
        EXPECT_EQ(command(subtract, true, shift), NoteCommand::ZoomOut);
        EXPECT_EQ(command('0', true, shift), NoteCommand::ZoomReset);
        EXPECT_EQ(command(numpad0, true, shift), NoteCommand::ZoomReset);
    }
    for (unsigned key = 0; key < 256; ++key) {
        const bool zoom = key == oemPlus || key == add || key == oemMinus || key == subtract ||
                          key == '0' || key == numpad0;
        bool known = zoom || key == 'S' || key == 'O' || key == 'T' || key == 'W' || key == 'F' ||
                     key == 'N';
        EXPECT_EQ(command(key, true) != NoteCommand::None, known) << key;
        if (key != f3) {
            EXPECT_EQ(command(key, false), NoteCommand::None) << key; // typing
            EXPECT_EQ(command(key, false, true), NoteCommand::None) << key;
        }
        EXPECT_EQ(command(key, true, false, true), NoteCommand::None) << key; // AltGr
        EXPECT_EQ(command(key, false, false, true), NoteCommand::None) << key;
        if (key != 'S' && !zoom) {
            EXPECT_EQ(command(key, true, true), NoteCommand::None) << key;
        }
    }
}

TEST(FileDialogRules, FilterBecomesNulSeparatedPairs) {
    EXPECT_EQ(tk::FilterForSystem("Sz\xF6vegf\xE1jlok|*.txt|Minden f\xE1jl|*.*"),
              std::string("Sz\xF6vegf\xE1jlok\0*.txt\0Minden f\xE1jl\0*.*\0\0", 36));
    EXPECT_EQ(tk::FilterForSystem(""), std::string("\0\0", 2));
}

TEST(FileDialogRules, DefaultExtensionLosesItsPeriod) {
    EXPECT_EQ(tk::ExtensionForSystem(".txt"), "txt");
    EXPECT_EQ(tk::ExtensionForSystem("txt"), "txt");
    EXPECT_EQ(tk::ExtensionForSystem("."), "");
}

TEST(FileDialogRules, ATypedNameBecomesThePathTheDialogMustFindRoomFor) {
    const std::wstring folder = L"C:\\notes";
    EXPECT_EQ(tk::PathFromTypedName(folder, L"list", L"txt"), L"C:\\notes\\list.txt");
    EXPECT_EQ(tk::PathFromTypedName(folder + L"\\", L"list.md", L"txt"), L"C:\\notes\\list.md");
    EXPECT_EQ(tk::PathFromTypedName(folder, L"D:\\x\\y", L""), L"D:\\x\\y");
    EXPECT_EQ(tk::PathFromTypedName(folder, L"\\\\srv\\share\\n.txt", L"txt"),
              L"\\\\srv\\share\\n.txt");
    EXPECT_EQ(tk::PathFromTypedName(folder, L"\\top", L"txt"), L"C:\\top.txt");
    // A period with a blank or a folder after it starts no extension.
    EXPECT_EQ(tk::PathFromTypedName(folder, L"a. b", L"txt"), L"C:\\notes\\a. b.txt");
    EXPECT_EQ(tk::PathFromTypedName(L"C:\\v1.2", L"n", L"txt"), L"C:\\v1.2\\n.txt");
}

TEST(FileDialogRules, DialogGoesToTheCentreAndAThirdDown) {
    EXPECT_EQ(tk::FileDialogPlace({0, 0, 1280, 1024}, 500, 400), (tk::TPoint{390, 208}));
    // A second monitor to the right; odd sizes round toward zero.
    EXPECT_EQ(tk::FileDialogPlace({1280, 0, 2560, 1024}, 501, 401), (tk::TPoint{1669, 207}));
    // Larger than the monitor: negative offsets, still by the same rule.
    EXPECT_EQ(tk::FileDialogPlace({0, 0, 800, 600}, 1000, 900), (tk::TPoint{-100, -100}));
}
