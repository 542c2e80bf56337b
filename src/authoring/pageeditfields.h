#pragma once
// Everything the page editor takes out of a page and puts back: the editor window's fields under
// their component names, and the pieces of the page that the editor keeps aside unchanged.
// Memos hold CR LF line breaks; in the page they are "<BR>".
#include <QString>
#include <QStringView>

#include <array>

namespace sorvek {

// The table grid has 78 cells: Memo1 (the framed text), Memo3 and Memo6 .. Memo81.
inline constexpr int kGridCellCount = 78;

struct PageEditFields {
    // The window's own values.
    QString Label5;       // the file name the editing was asked for; "" for the current page
    QString Caption;      // full path of the page file being edited (Form2.Caption)
    int GroupBox1Tag = 0; // page style 0..4

    // Title: glyph prefix (with its double quotes) kept unchanged; Edit1 caption, Edit5 second
    // line, Edit6 hint, all with "<" and ">" unescaped.
    QString glyphPrefix;
    QString Edit1;
    QString Edit5;
    QString Edit6;

    QString ETAGH1 = QStringLiteral("<H1>");
    QString Memo4; // H1 text
    QString ETAGH2 = QStringLiteral("<H2>");
    QString Memo5; // H2 text

    QString ETAGHYO1;    // 'align="..."' of the table, or ""
    int ETAGHYO1Tag = 0; // 1 when the table has a second cell (table layout)
    // The 78 cells in grid order: cells[0] Memo1, cells[1] Memo3, cells[k] Memo(k + 4) for k >= 2.
    std::array<QString, kGridCellCount> cells;

    QString ETAGSRC1; // start tag of the image/link paragraph
    QString Edit7;    // image/link content
    QString Edit2;    // link target
    QString Edit3;    // link text
    // GX, GY and GX.Tag = 1 are meant for the window only when pictureSizeRead; otherwise the
    // window keeps what it had.
    QString GX;
    QString GY;
    bool pictureSizeRead = false;
    QString Gname;      // picture file name of the image/link content, "" for none
    QString Image1Path; // the picture to preview (an existing file), "" for none

    QString ETAGP1; // start tag of the text paragraph
    QString Memo2;  // text paragraph

    // Pieces of the page kept aside and written back unchanged.
    QString headText;            // from the page start up to "<TITLE"
    QString bodyHead;            // from after the TITLE element through the BODY start tag
    QString textBeforeComment;   // body text before an accepted leading comment block
    QString leadingCommentBlock; // a comment and the paragraph right behind it
    QString headerSection;       // "<!--HEDDA_IN-->" .. "<!--HEDDA_OUT-->"
    QString textBetweenHeadings; // note text between the H1 and H2 elements
    // The rest of the note section, each piece where it stood: the editor shows none of it.
    QString textBeforeTable;       // after the H2 element, before the table grid
    QString textBeforeParagraphs;  // after the table grid, before the image/link paragraph
    QString textBetweenParagraphs; // between the image/link paragraph and the text paragraph
    QString noteRest;              // after the text paragraph
    QString footerSection;       // "<!--FOOTER_IN-->" .. "<!--FOOTER_OUT-->"
    QString pageRest;            // what lies outside the regions after the body head
    bool lookFlag = false;       // the page held LOOK links: they are written anew on saving

    // Memo1 .. Memo81 by their number (Memo2 text paragraph, Memo4 and Memo5 headings, the
    // others grid cells); nullptr for any other number.
    QString *memo(int number);
    const QString *memo(int number) const;
    // The same by component name ("Memo13"); nullptr for any other name.
    QString *memo(QStringView name);
    const QString *memo(QStringView name) const;
    // The position of a Memo in cells, or -1 for a number that is no grid cell.
    static int cellIndexOfMemo(int number);

    bool anyCell() const;     // one of the 78 cells is not empty
    bool anyGridCell() const; // one of the 77 cells after Memo1 is not empty
};

} // namespace sorvek
