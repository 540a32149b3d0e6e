// The script language of tavik-drive: lines to commands, key names to keyboard actions.
#include "tools/tavik_drive/commands.h"

#include <gtest/gtest.h>

#include "platform/ui/keys.h"

namespace drive {
namespace {

namespace headless = platform::headless;

/// The actions as text, e.g. "down 65289 9 0, wait 17, up 65289 9" (a key's number, its
/// desktop key code and character), to compare in one line.
std::string Describe(const std::vector<platform::HeadlessAction>& actions) {
    std::string text;
    for (const platform::HeadlessAction& action : actions) {
        if (!text.empty()) text += ", ";
        if (const auto* down = std::get_if<headless::KeyPressed>(&action)) {
            text += "down " + std::to_string(down->stroke.key) + " " +
                    std::to_string(down->stroke.keyCode) + " " +
                    std::to_string(down->stroke.character);
        } else if (const auto* up = std::get_if<headless::KeyReleased>(&action)) {
            text += "up " + std::to_string(up->key) + " " + std::to_string(up->keyCode);
        } else if (const auto* wait = std::get_if<headless::Advance>(&action)) {
            text += "wait " + std::to_string(wait->ms);
        } else {
            text += "other";
        }
    }
    return text;
}

TEST(KeyActionsTest, KeysGoDownForAFrameAroundTheModifiersHeld) {
    const struct {
        const char* name;
        const char* actions;
    } cases[] = {
        {"Tab", "down 65289 9 0, wait 17, up 65289 9"},
        {"Shift+Tab", "down 65505 16 0, down 65289 9 0, wait 17, up 65289 9, up 65505 16"},
        {"Enter", "down 65293 13 13, wait 17, up 65293 13"},
        {"F9", "down 65478 120 0, wait 17, up 65478 120"},
        {"KP_7", "down 65463 0 55, wait 17, up 65463 0"},
        {"Ctrl+V", "down 65507 17 0, down 86 86 0, wait 17, up 86 86, up 65507 17"},
        {"Shift+Insert", "down 65505 16 0, down 65379 45 0, wait 17, up 65379 45, up 65505 16"},
        {"7", "down 55 55 55, wait 17, up 55 55"},
        {"+", "down 43 0 43, wait 17, up 43 0"},
        {"", ""},
        {"F1", "down 65470 112 0, wait 17, up 65470 112"},
        {"F2", ""},
        {"Alt+", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Describe(KeyActions(c.name)), c.actions) << c.name;
}

TEST(ParseCommandLineTest, ReadsEveryCommandAndItsArguments) {
    const ParsedLine wait = ParseCommandLine("  wait 4300  # the splash");
    ASSERT_TRUE(wait.command);
    EXPECT_EQ(std::get<command::Wait>(*wait.command).ms, 4300);

    const ParsedLine move = ParseCommandLine("move 12 -3");
    ASSERT_TRUE(move.command);
    EXPECT_EQ(std::get<command::Move>(*move.command).x, 12);
    EXPECT_EQ(std::get<command::Move>(*move.command).y, -3);

    EXPECT_EQ(std::get<command::Down>(*ParseCommandLine("down").command).button,
              platform::kButtonLeft);
    EXPECT_EQ(std::get<command::Down>(*ParseCommandLine("down right").command).button,
              platform::kButtonRight);
    EXPECT_EQ(std::get<command::Up>(*ParseCommandLine("up middle").command).button,
              platform::kButtonMiddle);
    EXPECT_EQ(std::get<command::Click>(*ParseCommandLine("click +/-").command).caption, "+/-");
    EXPECT_EQ(std::get<command::Click>(*ParseCommandLine("click x^2\r").command).caption, "x^2");
    EXPECT_EQ(std::get<command::Where>(*ParseCommandLine("where About").command).caption, "About");
    EXPECT_EQ(std::get<command::Answer>(*ParseCommandLine("answer No").command).button, "No");
    EXPECT_EQ(std::get<command::Shot>(*ParseCommandLine("shot out dir/a.png").command).file,
              "out dir/a.png");
    EXPECT_TRUE(std::holds_alternative<command::Close>(*ParseCommandLine("close").command));
    EXPECT_TRUE(
        std::holds_alternative<command::PrintDisplay>(*ParseCommandLine("print display").command));
    EXPECT_TRUE(
        std::holds_alternative<command::PrintFocus>(*ParseCommandLine("print focus").command));
}

TEST(ParseCommandLineTest, BlankAndCommentLinesAreNoCommand) {
    for (const char* line : {"", "   ", "# wait 10", "\t# note", "\r"}) {
        const ParsedLine parsed = ParseCommandLine(line);
        EXPECT_FALSE(parsed.command) << line;
        EXPECT_EQ(parsed.error, "") << line;
    }
}

TEST(ParseCommandLineTest, MalformedLinesSayWhy) {
    const struct {
        const char* line;
        const char* error;
    } cases[] = {
        {"jump 3", "unknown command \"jump 3\""},
        {"wait", "wait needs a number of milliseconds"},
        {"wait -5", "wait needs a number of milliseconds"},
        {"wait 5ms", "wait needs a number of milliseconds"},
        {"move 3", "move needs two coordinates"},
        {"move a b", "move needs two coordinates"},
        {"down sideways", "unknown button \"sideways\""},
        {"click", "click needs a caption"},
        {"where", "where needs a caption"},
        {"key F13", "unknown key \"F13\""},
        {"type", "type needs a text"},
        {"keydown Ctrl+V", "unknown key \"Ctrl+V\""},
        {"type 1 2", "type takes printable characters without blanks"},
        {"answer Cancel", "answer needs Yes, No or OK"},
        {"close now", "unknown command \"close now\""},
        {"print", "unknown command \"print\""},
        {"print memory", "unknown command \"print memory\""},
        {"shot", "shot needs a file name"},
        {"Wait 10", "unknown command \"Wait 10\""},
    };
    for (const auto& c : cases) {
        const ParsedLine parsed = ParseCommandLine(c.line);
        EXPECT_FALSE(parsed.command) << c.line;
        EXPECT_EQ(parsed.error, c.error) << c.line;
    }
}

}  // namespace
}  // namespace drive
