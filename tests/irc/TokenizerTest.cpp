#include "Tokenizer.h"

#include <QStringList>
#include <gtest/gtest.h>

#include "printers.h"

namespace {
QStringList Fields(const QString &text, const QString &delimiter, int count)
{
    TTokenizer tokenizer(text, delimiter);
    QStringList fields;
    for (int i = 0; i < count; ++i)
        fields << tokenizer.NextToken();
    return fields;
}
} // namespace

TEST(TokenizerTest, fields_keep_empty_ones_and_run_dry_with_empty_fields)
{
    EXPECT_EQ(Fields("a:b:c", ":", 5), QStringList({"a", "b", "c", "", ""}));
    EXPECT_EQ(Fields("a::b", ":", 3), QStringList({"a", "", "b"}));
    EXPECT_EQ(Fields(":x", ":", 2), QStringList({"", "x"}));
    EXPECT_EQ(Fields("abc", ":", 2), QStringList({"abc", ""}));
    EXPECT_EQ(Fields("", "`", 1), QStringList({""}));
}

TEST(TokenizerTest, only_one_delimiter_character_is_skipped)
{
    EXPECT_EQ(Fields("a--b", "--", 2), QStringList({"a", "-b"}));
}

TEST(TokenizerTest, remainder_is_cut_to_9999_characters_and_text_is_kept)
{
    const QString text = "head`" + QString(10050, 'z');
    TTokenizer tokenizer(text, "`");
    QString token;
    tokenizer.NextToken(token);
    EXPECT_EQ(token, "head");
    EXPECT_EQ(tokenizer.Remainder().size(), 9999);
    EXPECT_EQ(tokenizer.Text(), text);
    EXPECT_EQ(tokenizer.Delimiter(), "`");
}
