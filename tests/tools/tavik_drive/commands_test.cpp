// The script language of tavik-drive: lines to commands, key names to keyboard actions.
#include "tools/tavik_drive/commands.h"

#include <gtest/gtest.h>

#include "platform/ui/keys.h"

namespace drive {
namespace {

namespace headless = platform::headless;

/// The actions as text, e.g. "down 16, down 9, up 9, up 16", to compare in one line.
std::string Describe(const std::vector<platform::HeadlessAction>& actions) {
    std::string text;
    for (const platform::HeadlessAction& action : actions) {
        if (!text.empty()) text += ", ";
        if (const auto* down = std::get_if<headless::KeyDown>(&action)) {
            text += "down " + std::to_string(down->keyCode);
        } else if (const auto* up = std::get_if<headless::KeyUp>(&action)) {
            text += "up " + std::to_string(up->keyCode);
        } else if (const auto* c = std::get_if<headless::Character>(&action)) {
            text += "char " + std::to_string(c->charCode);
        } else {
            text += "other";
        }
    }
    return text;
}

TEST(KeyActionsTest, KeysGoDownAndUpAroundTheCharactersTheyType) {
    const struct {
        const char* name;
        const char* actions;
    } cases[] = {
        {"Tab", "down 9, up 9"},
        {"Shift+Tab", "down 16, down 9, up 9, up 16"},
        {"Space", "down 32, char 32, up 32"},
        {"Enter", "down 13, char 13, up 13"},
        {"Escape", "down 27, char 27, up 27"},
        {"Left", "down 37, up 37"},
        {"Right", "down 39, up 39"},
        {"Up", "down 38, up 38"},
        {"Down", "down 40, up 40"},
        {"Alt+c", "down 18, down 67, up 67, up 18"},
        {"Alt+C", "down 18, down 67, up 67, up 18"},
        {"7", "down 55, char 55, up 55"},
        {"y", "down 89, char 121, up 89"},
        {"Y", "down 89, char 89, up 89"},
        {"+", "char 43"},
        {",", "char 44"},
        {"", ""},
        {"F1", ""},
        {"tab", ""},
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
    EXPECT_EQ(Describe(std::get<command::Key>(*ParseCommandLine("key Shift+Tab").command).actions),
              "down 16, down 9, up 9, up 16");
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
