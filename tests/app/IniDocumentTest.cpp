#include "app/IniDocument.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(IniDocument, AwkwardValuesAndNamesRoundTrip) {
    const QStringList values = {
        " leading and trailing ", "a;b=c#d", "Grüße",        "C:\\Bilder\\", "line1\nline2\r\nline3",
        "\\n is not a newline",   "",        "[notasection]"};
    const QStringList names = {"zeilenhöhe", "a=b", "[x]", ";comment", "#hash", "back\\slash"};
    IniDocument doc;
    for (qsizetype i = 0; i < values.size(); ++i)
        doc.setValue("sec", QString::number(i), values[i]);
    for (const QString& name : names)
        doc.setValue("names", name, name);
    const IniDocument back = IniDocument::parse(doc.serialize());
    for (qsizetype i = 0; i < values.size(); ++i)
        EXPECT_EQ(back.value("sec", QString::number(i)), values[i]) << i;
    for (const QString& name : names)
        EXPECT_EQ(back.value("names", name), name) << name.toStdString();
    EXPECT_TRUE(doc.serialize().contains("\nzeilenhöhe=zeilenhöhe\n")); // stored as written, in UTF-8
}

TEST(IniDocument, DamagedFileKeepsWhatCanBeRead) {
    const char raw[] =
        "orphan=1\ngarbage line without separator\n\xff\xfe\x00\x01 binary\n[misc]\r\ndelay=15\r\n"
        "=no name\n; a comment\n[unterminated\nrecursive=1\n[kalender]\nposition=3";
    const IniDocument doc = IniDocument::parse(QByteArray(raw, sizeof raw - 1));
    EXPECT_EQ(doc.value("misc", "delay"), "15");
    EXPECT_EQ(doc.value("misc", "recursive"), "1");
    EXPECT_EQ(doc.value("kalender", "position"), "3"); // last line without a line end
    EXPECT_FALSE(doc.value("misc", "orphan"));
    EXPECT_FALSE(doc.value("misc", ""));
}

TEST(IniDocument, NamesCompareWithoutCaseAndKeepFileOrder) {
    const IniDocument doc = IniDocument::parse("[PATH]\n7=/b/\n2=/a/\n[Misc]\nDelay=5\ndelay=6\n");
    const auto values = doc.values("path");
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].name, "7");
    EXPECT_EQ(values[1].data, "/a/");
    EXPECT_EQ(doc.value("misc", "DELAY"), "6"); // a later duplicate replaces the earlier value
    EXPECT_EQ(doc.values("misc").size(), 1u);
}
