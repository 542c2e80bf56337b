// Unneeded files of a folder: material that no page, side menu or help page uses.
#include "pagefiles/unneededfiles.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace sorvek;
using namespace Qt::StringLiterals;

namespace {

QStringList names(const QStringList &paths)
{
    QStringList out;
    for (const QString &path : paths)
        out.append(QFileInfo(path).fileName());
    return out;
}

} // namespace

TEST(UnneededFiles, CandidatesMatchTheMasksInAnyCase)
{
    QTemporaryDir dir;
    for (const QString &name : {u"a.jpg"_s, u"B.PNG"_s, u"c.html"_s, u"d.txt"_s, u"e.mp3"_s, u"f.$$$"_s, u"f.html$"_s,
                                u".hidden.jpg"_s, u"g.JPEG"_s, u"h.jtd"_s, u"i.jaw"_s, u"k.htm_"_s, u"m.htm"_s})
        testutil::writeBytes(dir.path(), name, "x");
    QDir(dir.path()).mkdir(u"folder.jpg"_s);
    EXPECT_EQ(names(unneededFileCandidates(dir.path())),
              (QStringList{u"a.jpg"_s, u"B.PNG"_s, u"d.txt"_s, u"f.$$$"_s, u"g.JPEG"_s, u"h.jtd"_s, u"i.jaw"_s,
                           u"k.htm_"_s}));
}

TEST(UnneededFiles, WhatNoPageMenuOrHelpUsesIsLeft)
{
    QTemporaryDir dir;
    const QString f = dir.path();
    testutil::writePage(f, u"index.html"_s, uR"(<IMG src="pic1.jpg">)"_s);
    testutil::writePage(f, u"1010_a.html"_s, uR"(<IFRAME src="_part.html"></IFRAME><A href="$NEXT">)"_s);
    testutil::writePage(f, u"_part.html"_s, uR"(<IMG src="pic2.png">)"_s);
    testutil::writePage(f, u"_index.html"_s, uR"(<IMG src="menu.gif">)"_s);
    testutil::writePage(f, u"_HELP.html"_s, uR"(<BODY background="help.png">)"_s);
    // Every other way a page shows a picture counts as a use too.
    testutil::writePage(f, u"1020_b.html"_s,
                        uR"~(<IMG src='sq.png'><IMG SRC=bare.png><P style="background:url(css.png)"><LINK href="s.css">)~"_s);
    testutil::writePage(f, u"s.css"_s, u"body { background: url('sheet.gif') }"_s);
    for (const QString &name : {u"pic1.jpg"_s, u"pic2.png"_s, u"1010_a.txt"_s, u"menu.gif"_s, u"help.png"_s,
                                u"old.jpg"_s, u"stray.wav"_s, u"z.bak"_s, u"1010_a.$$$"_s, u"sq.png"_s, u"bare.png"_s,
                                u"css.png"_s, u"sheet.gif"_s})
        testutil::writeBytes(f, name, "x");
    const UnneededFiles found = findUnneededFiles(f, {u"index.html"_s, u"1010_a.html"_s, u"1020_b.html"_s}, f);
    EXPECT_EQ(names(found.files), (QStringList{u"1010_a.$$$"_s, u"old.jpg"_s, u"stray.wav"_s, u"z.bak"_s}));
    EXPECT_EQ(found.commandLinkNotices.size(), 1);
}

TEST(UnneededFiles, NothingFoundInAFolderWithoutMaterial)
{
    QTemporaryDir dir;
    testutil::writePage(dir.path(), u"a.html"_s, u"<P>text</P>"_s);
    EXPECT_TRUE(findUnneededFiles(dir.path(), {u"a.html"_s}, dir.path()).files.isEmpty());
}

TEST(UnneededFiles, NothingOfferedFromAFolderLinkedOutsideTheBook)
{
    QTemporaryDir dir;
    testutil::writeBytes(dir.path(), u"outside/old.jpg"_s, "x");
    QDir(dir.path()).mkdir(u"book"_s);
    ASSERT_TRUE(QFile::link(dir.filePath(u"outside"_s), dir.filePath(u"book/level"_s)));
    EXPECT_EQ(names(findUnneededFiles(dir.filePath(u"outside"_s), {}, dir.filePath(u"outside"_s)).files),
              QStringList{u"old.jpg"_s});
    EXPECT_TRUE(findUnneededFiles(dir.filePath(u"book/level"_s), {}, dir.filePath(u"book"_s)).files.isEmpty());
}

TEST(UnneededFiles, LinkLeadingOutOfTheBookThatAPageUsesIsNotOffered)
{
    QTemporaryDir dir;
    const QString book = dir.filePath(u"book"_s);
    testutil::writePage(book, u"a.html"_s, uR"(<IMG src="pic.jpg">)"_s);
    testutil::writeBytes(dir.path(), u"outside/pic.jpg"_s, "x");
    ASSERT_TRUE(QFile::link(u"../outside/pic.jpg"_s, book + u"/pic.jpg"_s));
    EXPECT_TRUE(findUnneededFiles(book, {u"a.html"_s}, book).files.isEmpty());
}
