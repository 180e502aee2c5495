// SAVE TUNER VALUES of the HP-CL tuner: tidying, sorting and storing the two rows.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QLabel>

#include "tests/tuners/TunerSession.h"

using namespace tuner_test;

namespace {

using Row = std::vector<QString>;

// Settings file positions of the first capacitor and inductor element.
constexpr std::size_t kFirstCapacitorLine = 21;
constexpr std::size_t kFirstInductorLine = 31;

// A row of ten texts, given separated by '|'; missing ones are empty.
Row RowFrom(const char* texts) {
    const QStringList given = QString(texts).split('|');
    Row row(given.begin(), given.end());
    row.resize(10);
    return row;
}

void Fill(QWidget& hpcl, const char* row, const Row& texts) {
    for (int i = 0; i < 10; ++i)
        Find(hpcl, QString("%1_%2").arg(row).arg(i + 1))->setText(texts[i]);
}

Row RowOf(const QWidget& hpcl, const char* row) {
    Row texts;
    for (int i = 1; i <= 10; ++i) texts.push_back(TextOf(hpcl, QString("%1_%2").arg(row).arg(i)));
    return texts;
}

// The settings lines after saving these rows.
std::vector<std::string> SavedLines(const Row& capacitors, const Row& inductors) {
    std::vector<std::string> lines = DefaultSettingsLines();
    for (std::size_t i = 0; i < 10; ++i) {
        lines[kFirstCapacitorLine + i] =
            lines[kFirstCapacitorLine + i].substr(0, 8) + " " + capacitors[i].toStdString();
        lines[kFirstInductorLine + i] =
            lines[kFirstInductorLine + i].substr(0, 8) + " " + inductors[i].toStdString();
    }
    return lines;
}

}  // namespace

TEST(BankSaving, SortsAndTidiesBothRowsAndStoresThem) {
    const struct {
        Row capacitors, inductors, savedCapacitors, savedInductors;
        const char* capacitorTotal;
        const char* inductorTotal;
    } cases[] = {
        {RowFrom("128|64|32|16|8|4|2"), RowFrom("0,4| 0.1|12.8|0|x"), RowFrom("2|4|8|16|32|64|128"),
         RowFrom("0.1|0.4|12.8"), "254", "13.3"},
        // 007 gains leading zeros of its own and sorts too early in the first pass; the
        // second pass, on the tidied texts, puts it in place. Five integer digits get no
        // leading zeros, so 12000 sorts before 3000 as text. 9999, 0 and empty entries all
        // end empty; two passes turn two commas into points. The order is by character
        // code in every locale: signs before digits, capitals before small letters.
        {RowFrom(".5|007|12000|3000|0|2,5|9999| 16 "), RowFrom("1,5,5|-2|  |.25|5B|+5|5a|||x1"),
         RowFrom("0.5|2.5|7|16|12000|3000"), RowFrom("+5|-2|0.25|1.5.5|5B|5a"), "15026", "14.75"},
    };
    // The order must not follow the collation of the locale.
    const QLocale previous;
    for (const QLocale& locale : {QLocale(QLocale::English, QLocale::UnitedStates), QLocale::c()}) {
        QLocale::setDefault(locale);
        for (const auto& c : cases) {
            Session s;
            QWidget& hpcl = s.Open(TunerKind::HpCl);
            Fill(hpcl, "Text4", c.capacitors);
            Fill(hpcl, "Text5", c.inductors);
            Session::Click(hpcl, "Command3");
            EXPECT_EQ(RowOf(hpcl, "Text4"), c.savedCapacitors);
            EXPECT_EQ(RowOf(hpcl, "Text5"), c.savedInductors);
            EXPECT_EQ(TextOf(hpcl, "Text6"), c.capacitorTotal);
            EXPECT_EQ(TextOf(hpcl, "Text7"), c.inductorTotal);
            EXPECT_EQ(ReadBytes(s.dir.file("ORVANE.INI")),
                      CrLfLines(SavedLines(c.savedCapacitors, c.savedInductors)));
            EXPECT_EQ(Find<QLabel>(hpcl, "StatusLine")->text(), "");

            // What was saved is what the window shows when opened again.
            hpcl.close();
            s.Open(TunerKind::HpCl);
            EXPECT_EQ(RowOf(hpcl, "Text5"), c.savedInductors);
        }
    }
    QLocale::setDefault(previous);
}

TEST(BankSaving, KeysKeepTheirSpellingMissingKeysStayMissingAndEveryByteSurvives) {
    std::string printable;  // every byte a field holds, but a comma, which SAVE makes a point
    std::string all;
    for (int code = 0x20; code <= 0xFF; ++code) {
        all += static_cast<char>(code);
        if (code != ',') printable += static_cast<char>(code);
    }
    std::vector<std::string> lines = SettingsWith({{kFirstCapacitorLine, "HPCLXC01 2" + printable},
                                                   {23, "hpclxc03 16"},
                                                   {40, "NOTE1234 " + all}});
    Session s(lines);
    QWidget& hpcl = s.Open(TunerKind::HpCl);
    EXPECT_EQ(TextOf(hpcl, "Text4_1"), QString::fromLatin1(("2" + printable).c_str()));
    EXPECT_EQ(TextOf(hpcl, "Text4_3"), "16");
    Find(hpcl, "Text4_3")->setText("8");
    Find(hpcl, "Text5_10")->setText("51.2");
    Session::Click(hpcl, "Command3");

    lines[23] = "hpclxc03 8";
    EXPECT_EQ(ReadBytes(s.dir.file("ORVANE.INI")), CrLfLines(lines))
        << "the tenth inductor has no line to go to";
    EXPECT_EQ(TextOf(hpcl, "Text5_10"), "51.2");
    s.form->close();
    EXPECT_EQ(ReadBytes(s.dir.file("ORVANE.INI")), CrLfLines(lines));
}

TEST(BankSaving, FileThatCannotBeWrittenIsLeftAsItWas) {
    Session s;
    QWidget& hpcl = s.Open(TunerKind::HpCl);
    const std::string path = s.dir.file("ORVANE.INI");
    const std::string before = ReadBytes(path);
    Fill(hpcl, "Text4", RowFrom("4|2"));

    Find(hpcl, "Text5_10")->setText("99\u2126");  // an Ohm sign the 8-bit file cannot hold
    Session::Click(hpcl, "Command3");
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(Find<QLabel>(hpcl, "StatusLine")->text(),
              "ORVANE.INI: cannot write HPCLXL10: the character \"\u2126\" cannot be stored in "
              "this file");

    EXPECT_EQ(TextOf(hpcl, "Text4_1"), "2") << "the rows are tidied all the same";

    ASSERT_EQ(::unlink(path.c_str()), 0);
    Find<QLabel>(hpcl, "StatusLine")->clear();
    Session::Click(hpcl, "Command3");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path))) << "a missing file is not made";
    EXPECT_TRUE(Find<QLabel>(hpcl, "StatusLine")->text().contains("ORVANE.INI"));
}
