#include "authoring/tablegrid.h"

#include "authoring/concat.h"
#include "authoring/pagebreaks.h"

namespace sorvek {
namespace {

constexpr QStringView kCr = u"\r";
constexpr QStringView kPlainOpening = u"<TD ";
constexpr QStringView kWideOpening = u"<TD colspan=\"6\" ";
constexpr QStringView kFullOpening = u"<TD colspan=\"8\" ";
constexpr QStringView kHeaderNarrow = u" Width=\"100\" bgcolor=\"#cbfefc\">";
constexpr QStringView kHeaderPlain = u" bgcolor=\"#cbfefc\">";
constexpr QStringView kBodyNarrow = u" Width=\"100\" bgcolor=\"#fafed3\">";
constexpr QStringView kBodyPlain = u" bgcolor=\"#fafed3\">";

struct CellStyle {
    QStringView opening;
    QStringView attributes;
};

class GridWriter {
public:
    GridWriter(const PageEditFields &fields, QStringView cellAlign) : fields_(fields), align_(cellAlign) {}

    // One row of cells starting at cells[first], styled left to right.
    void row(size_t first, std::initializer_list<CellStyle> styles)
    {
        out_ += concat({u"<TR>", kCr});
        size_t cell = first;
        for (const CellStyle &style : styles)
            out_ += concat({style.opening, align_, style.attributes, memoTextToPage(fields_.cells[cell++]), u"</TD>", kCr});
        out_ += concat({u"</TR>", kCr});
    }

    QString take() { return std::move(out_); }

private:
    const PageEditFields &fields_;
    QStringView align_;
    QString out_;
};

QString gridRows(const PageEditFields &f, QStringView cellAlign)
{
    const CellStyle headNarrow{kPlainOpening, kHeaderNarrow};
    const CellStyle headPlain{kPlainOpening, kHeaderPlain};
    const CellStyle narrow{kPlainOpening, kBodyNarrow};
    const CellStyle plain{kPlainOpening, kBodyPlain};
    GridWriter writer(f, cellAlign);
    writer.row(1, {headNarrow, headNarrow, headPlain, headPlain, headPlain, headPlain, headPlain, headPlain});
    for (size_t gridRow = 0; gridRow < 7; ++gridRow)
        writer.row(9 + 8 * gridRow, {narrow, narrow, plain, plain, plain, plain, plain, plain});
    for (size_t wideRow = 0; wideRow < 4; ++wideRow)
        writer.row(65 + 3 * wideRow, {narrow, narrow, CellStyle{kWideOpening, kBodyPlain}});
    writer.row(77, {CellStyle{kFullOpening, kBodyPlain}});
    return writer.take();
}

} // namespace

QString buildTableGrid(const PageEditFields &f)
{
    if (!f.anyCell())
        return QString();
    const bool centred = f.ETAGHYO1.contains(u"center");
    const QString tableAttribute = centred || f.ETAGHYO1.contains(u"right") ? f.ETAGHYO1 : QStringLiteral(" width=\"640\"");
    const QStringView cellAlign = centred ? QStringView(f.ETAGHYO1) : QStringView();
    QString table = concat({u"<TABLE border=\"1\" ", tableAttribute, u"><TBODY>", kCr, u"<TR>", kCr, kFullOpening,
                            cellAlign, u">", memoTextToPage(f.cells[0]), u"</TD></TR>", kCr});
    if (f.anyGridCell())
        table += gridRows(f, cellAlign);
    table += concat({u"</TBODY></TABLE>", kCr});
    return table;
}

} // namespace sorvek
