#pragma once
// The shared shape of a page file: what makes a text a page, the head written by the page
// templates, the marker comments of the body regions, the generated blocks of quiz pages and the
// LOOK link. Page texts are built in memory with CR between lines; the page writer stores them as
// UTF-8 with byte-order mark and CR LF.
#include <QString>
#include <QStringView>

#include <optional>

namespace sorvek::pageformat {

inline constexpr char16_t kCr = u'\r';
inline const QString kCrLf = QStringLiteral("\r\n");

// A file counts as a page only when its text holds this (exact case).
inline const QString kDoctypeMark = QStringLiteral("<!DOCTYPE HTML PUBLIC");
inline const QString kDoctypeLine =
    QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">");

// Marker comments; readers match them case-sensitively.
inline const QString kHeaderIn = QStringLiteral("<!--HEDDA_IN-->");
inline const QString kHeaderOut = QStringLiteral("<!--HEDDA_OUT-->");
inline const QString kNoteIn = QStringLiteral("<!--NOTE_IN-->");
inline const QString kNoteOut = QStringLiteral("<!--NOTE_OUT-->");
inline const QString kFooterIn = QStringLiteral("<!--FOOTER_IN-->");
inline const QString kFooterOut = QStringLiteral("<!--FOOTER_OUT-->");
inline const QString kStyleIn = QStringLiteral("<!--STYLE_IN-->");
inline const QString kStyleOut = QStringLiteral("<!--STYLE_OUT-->");

// Generated blocks of a quiz page: written with the full texts, found by the start texts.
inline const QString kGeneratedBegin = QStringLiteral("<!--beginSorvek//-->");
inline const QString kGeneratedEnd = QStringLiteral("<!--endSorvek//-->");
inline const QString kGeneratedBeginStart = QStringLiteral("<!--beginSorvek");
inline const QString kGeneratedEndStart = QStringLiteral("<!--endSorvek");

// LOOK links: written with kLookLinkOpen, recognised by kLookLinkStart in any case.
inline const QString kLookLinkOpen = QStringLiteral("<A href=\"/$LOOK ");
inline const QString kLookLinkStart = QStringLiteral("<A HREF=\"/$LOOK");

// The end of every page: "</BODY>" CR "</HTML>".
QString pageEnd();

bool isPageText(QStringView text);

// The tag name that starts at pos (just after "<" or "</"): an ASCII letter and the letters and
// digits after it; "" when no letter stands there.
QStringView tagNameAt(QStringView text, qsizetype pos);

// The head of a page made from a template, through the BODY start tag and its CR. The style
// section is put in as given (a style block, "" or a single CR). The new dated page puts a CR
// before "<TITLE>" (breakBeforeTitle); every other writer does not.
QString buildPageHead(const QString &title, const QString &styleSection, bool breakBeforeTitle = false);

// A region between a start and an end marker.
struct Region {
    qsizetype start = -1;        // position of the start marker
    qsizetype contentStart = -1; // just after the start marker
    qsizetype contentEnd = -1;   // position of the end marker
    qsizetype end = -1;          // just after the end marker
};
// The first start marker and the first end marker after it; nothing when either is missing.
std::optional<Region> findRegion(QStringView text, QStringView startMarker, QStringView endMarker,
                                 qsizetype from = 0);
// The text between the markers (without them); nothing when the region is missing.
std::optional<QString> regionContent(QStringView text, QStringView startMarker, QStringView endMarker);

// A generated block as readers find it: "<!--beginSorvek//-->" at or after from through the
// "<!--endSorvek//-->" that closes it, markers pairing as brackets within one region of the page;
// the first outermost pair. Nothing when no marker pairs.
struct Span {
    qsizetype start = -1;
    qsizetype end = -1; // one past the last character
};
std::optional<Span> findGeneratedBlock(QStringView text, qsizetype from = 0);
bool hasGeneratedBlock(QStringView text);
// Drops every complete generated block. A start without its end, and everything after it, is kept
// as it stands.
QString removeGeneratedBlocks(QStringView text);

// "<A href="/$LOOK " word "">" word "</A>".
QString makeLookLink(const QString &word);
// True when a LOOK link starts at pos (any case).
bool isLookLinkAt(QStringView text, qsizetype pos);

} // namespace sorvek::pageformat
