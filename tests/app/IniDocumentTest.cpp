#include "app/IniDocument.h"

#include <QStringList>
#include <gtest/gtest.h>

TEST(IniDocument, AwkwardValuesAndNamesRoundTrip) {
    const QStringList texts = {
        " leading and trailing ", "a;b=c#d",       "Grüße", "C:\\Bilder\\", "line1\nline2\r\nline3",
        "\\n is not a newline",   "[notasection]", "#hash"};
    IniDocument doc;
    for (qsizetype i = 0; i < texts.size(); ++i)
        doc.setValue("sec", QString::number(i), texts[i]), doc.setValue("names", texts[i].trimmed(), "x");
    const IniDocument back = IniDocument::parse(doc.serialize());
    for (qsizetype i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(back.value("sec", QString::number(i)), texts[i]) << i;
        EXPECT_EQ(back.value("names", texts[i].trimmed()), "x") << i;
    }
}

// A file edited by hand or damaged: what can be read is read.
TEST(IniDocument, HandEditedAndDamagedFiles) {
    const char raw[] =
        "orphan=1\ngarbage line\n\xff\xfe\x00\x01 binary\n[PATH]\n7=/b/\n2=/a/\n[Misc]\r\ndelay=15\r\n"
        "=no name\n; a comment\nDelay=16\n[unterminated\nrecursive=1\n[kalender]\nzeilenhöhe=3";
    const IniDocument doc = IniDocument::parse(QByteArray(raw, sizeof raw - 1));
    EXPECT_EQ(doc.value("misc", "DELAY"), "16"); // names without case; a later duplicate replaces
    EXPECT_EQ(doc.values("misc").size(), 2u);
    EXPECT_EQ(doc.value("misc", "recursive"), "1");
    EXPECT_EQ(doc.value("kalender", "zeilenhöhe"), "3"); // UTF-8, last line without a line end
    EXPECT_FALSE(doc.value("misc", "orphan"));
    const auto folders = doc.values("path");
    ASSERT_EQ(folders.size(), 2u);
    EXPECT_EQ(folders[0].name + folders[0].data + folders[1].name, "7/b/2"); // in file order
}
