// Hand-edited and broken profile files: each is refused or read with a default on its own, and the
// next profile still loads from the same library.
#include "ChattleError.h"
#include "MiniArtwork.h"
#include "PersonaInst.h"
#include "PersonaLib.h"
#include "printers.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QByteArray Parts = "AAAAAAAAAAA";
const QByteArray Colours = "FFCC99330000660000FF66669999FF9966CC9966000000D0FF0030";

struct BadProfileRow {
    const char *Input;
    QByteArray Content;
    QString Appearance; // what a profile that loads reads as; empty when it is refused
    QString FileName = QStringLiteral("Bad.pr1");
};

const QList<BadProfileRow> &Rows()
{
    static const QByteArray good = Parts + Colours;
    static const QList<BadProfileRow> rows = {
        {"a_file_name_without_a_nick", "pw\r\n1\r\n" + good + "\r\ni\r\nn\r\n", {}, QStringLiteral(".pr1")},
        {"one_line", "pw\r\n", {}},
        {"five_empty_lines", "\r\n\r\n\r\n\r\n\r\n", {}},
        {"a_file_cut_inside_the_appearance", "pw\r\n1\r\n" + good.left(40), {}},
        {"a_colour_that_is_not_hex", "pw\r\n1\r\n" + Parts + "GGCC99" + Colours.mid(6) + "\r\ni\r\nn\r\n", {}},
        {"a_part_letter_below_A", "pw\r\n1\r\n@" + good.mid(1) + "\r\ni\r\nn\r\n", {}},
        {"a_part_letter_past_the_variants", "pw\r\n1\r\nAAAz" + good.mid(4) + "\r\ni\r\nn\r\n", {}},
        {"a_non_latin_part_letter", "pw\r\n1\r\n\xe2\x82\xac" + good.mid(1) + "\r\ni\r\nn\r\n", {}},
        {"a_huge_stored_flag", "pw\r\n99999999999999999999\r\n" + good + "\r\ni\r\nn\r\n", QString::fromLatin1(good)},
        {"a_skin_out_of_range_takes_the_default", "pw\r\n1\r\n" + Parts + "0000FF" + Colours.mid(6) + "\r\ni\r\nn\r\n",
         QString::fromLatin1(good)},
        {"trailing_bytes_after_the_appearance", "pw\r\n1\r\n" + good + "ZZZZ\r\ni\r\nn\r\n", QString::fromLatin1(good)},
        {"thousands_of_info_fields", "pw\r\n1\r\n" + good + "\r\n" + QByteArray(5000, '`') + "\r\nn\r\n",
         QString::fromLatin1(good)},
        {"nul_and_invalid_utf8_in_password_and_note",
         QByteArray("\0\xff\r\n1\r\n", 7) + good + "\r\ni\r\n" + QByteArray("\xc3\0\x28", 3) + "\r\n",
         QString::fromLatin1(good)},
    };
    return rows;
}

class BadProfile : public ::testing::TestWithParam<BadProfileRow> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(Dir.isValid());
        WriteMiniArtwork(Dir.path());
        Library = std::make_unique<TPersonaLib>(Dir.path());
    }
    QString Write(const QString &name, const QByteArray &content)
    {
        const QString path = Dir.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(content);
        return path;
    }

    QTemporaryDir Dir;
    std::unique_ptr<TPersonaLib> Library;
};
} // namespace

TEST_P(BadProfile, is_refused_or_read_alone_and_the_next_profile_still_loads)
{
    const QString bad = Write(GetParam().FileName, GetParam().Content);
    if (GetParam().Appearance.isEmpty()) {
        EXPECT_THROW(TPersonaInst::CreateFromFile(Library.get(), bad), EChattleError);
    } else {
        const std::unique_ptr<TPersonaInst> loaded = TPersonaInst::CreateFromFile(Library.get(), bad);
        EXPECT_EQ(loaded->GetAppearance(), GetParam().Appearance);
        ASSERT_NE(loaded->Sprite, nullptr);
    }
    const QString good = Write(QStringLiteral("Good.pr1"), "pw\r\n1\r\n" + Parts + Colours + "\r\ni\r\nn\r\n");
    const std::unique_ptr<TPersonaInst> next = TPersonaInst::CreateFromFile(Library.get(), good);
    EXPECT_EQ(next->Name, QStringLiteral("Good"));
    EXPECT_NE(next->Sprite, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Rows, BadProfile, ::testing::ValuesIn(Rows()),
                         [](const auto &info) { return std::string(info.param.Input); });
