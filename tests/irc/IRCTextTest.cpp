#include "IRCColours.h"
#include "IRCText.h"

#include <gtest/gtest.h>

#include "printers.h"

namespace {
struct SplitRow {
    const char *Description;
    QString LineText;
    QStringList Params;
};

const SplitRow SplitRows[] = {
    {"prefix, command, argument and trailing text", "n!u@h PRIVMSG #room :hello there",
     {"n!u@h", "PRIVMSG", "#room", "hello there"}},
    {"the '=' mark goes with its blank; channel and names stay together", "srv 353 me = #room :@op +v x",
     {"srv", "353", "me", "#room :@op +v x"}},
    {"the '@' mark is an ordinary parameter", "srv 353 me @ #secret :a b",
     {"srv", "353", "me", "@", "#secret", "a b"}},
    {"a ':' as last character stays a parameter", "n!u@h PART #room :", {"n!u@h", "PART", "#room", ":"}},
    {"consecutive blanks give an empty parameter", "a  b", {"a", "", "b"}},
    {"the first token is never trailing text", ":x y", {":x", "y"}},
    {"no prefix", "ERROR :Closing link", {"ERROR", "Closing link"}},
    {"a single word", "word", {"word"}},
    {"a colon inside a parameter is not trailing text", "a b:c d", {"a", "b:c", "d"}},
    {"an empty line text", "", {""}},
};
} // namespace

TEST(IRCTextTest, split_rule_follows_each_row)
{
    for (const SplitRow &row : SplitRows)
        EXPECT_EQ(SplitIRCParams(row.LineText), row.Params) << row.Description;
}

TEST(IRCTextTest, short_nick_drops_one_tilde_and_the_user_and_host)
{
    EXPECT_EQ(ShortNick("n!u@h"), "n");
    EXPECT_EQ(ShortNick("~n!u@h"), "n");
    EXPECT_EQ(ShortNick("~~n"), "~n");
    EXPECT_EQ(ShortNick("irc.example.org"), "irc.example.org");
}

TEST(IRCTextTest, lines_decode_as_utf8_when_valid_else_latin1)
{
    EXPECT_EQ(DecodeIRCLine("caf\xc3\xa9"), QString::fromUtf8("café"));
    EXPECT_EQ(DecodeIRCLine("caf\xe9"), QString::fromUtf8("café"));
    EXPECT_EQ(DecodeIRCLine("a\xc3"), QString::fromLatin1("a\xc3")); // truncated sequence
}

TEST(IRCTextTest, utf8_budget_never_splits_a_character)
{
    const QString text = QString::fromUtf8("aé€😀b"); // 1, 2, 3, 4 and 1 bytes
    EXPECT_EQ(CharsFittingUtf8(text, 0, 6), 3);
    EXPECT_EQ(CharsFittingUtf8(text, 0, 5), 2);
    EXPECT_EQ(CharsFittingUtf8(text, 3, 3), 0);  // the emoji needs 4
    EXPECT_EQ(CharsFittingUtf8(text, 3, 4), 2);  // a surrogate pair, both units
    EXPECT_EQ(CharsFittingUtf8(text, 0, 100), text.size());
}

TEST(IRCTextTest, text_is_cut_at_the_first_line_break_or_nul)
{
    EXPECT_EQ(CutAtLineBreak("hi\r\nQUIT"), "hi");
    EXPECT_EQ(CutAtLineBreak("hi\nQUIT"), "hi");
    EXPECT_EQ(CutAtLineBreak(QString("hi") + QChar(0) + "x"), "hi");
    EXPECT_EQ(CutAtLineBreak("plain"), "plain");
}

TEST(IRCTextTest, irc_colour_gives_the_platform_colour_of_each_code)
{
    EXPECT_EQ(IrcColour(0), 0xFFFFFFu);
    EXPECT_EQ(IrcColour(2), 0xFF0000u); // blue in the platform's colour form
    EXPECT_EQ(IrcColour(4), 0x0000FFu); // red
    EXPECT_EQ(IrcColour(7), 0x0080FFu);
    EXPECT_EQ(IrcColour(12), IrcColour(2));
    EXPECT_EQ(IrcColour(15), 0xC0C0C0u);
    EXPECT_EQ(IrcColour(16), 0u);
    EXPECT_EQ(IrcColour(-1), 0u);
}
