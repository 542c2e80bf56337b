#pragma once
// The rules of the merged print document: which pages of a level are merged, what part of each
// page goes in, how the blanks "[]" are numbered across pages, and the document's title.
#include <QString>
#include <QStringView>

namespace sorvek {

enum class MergeMode {
    Marked = 1,    // pages whose title holds the 〆 mark '"!"'
    Unmarked = 2,  // titled pages without the mark
    All = 3,       // every titled page
};

// The title of a page for merging: the text between the first "<TITLE>" and the next "</TITLE>"
// (any case); "" without the DOCTYPE line "<!DOCTYPE HTML PUBLIC" or without "</TITLE>".
QString mergeTitle(QStringView pageText);

bool selectedForMerge(const QString &title, MergeMode mode);

// The part of a page that is merged, with its blanks numbered: the text between "<BODY>" (exact
// tag, any case) and "</BODY>" ("" when that is missing), or the whole text without "<BODY>".
// A part holding "[]" takes the next number (numbered counts up) for all its blanks. The first
// STYLE element and at most two generated blocks are dropped.
QString mergePart(QStringView pageText, int &numbered);

// The document title from the first merged page's title: the text after its last double quote.
QString mergedDocumentTitle(const QString &title);

// Collects the merged body page by page, in level order.
class MergeBuilder {
public:
    explicit MergeBuilder(MergeMode mode) : mode_(mode) {}

    // Takes one page's text; pages that are not selected, or whose part is empty, add nothing.
    void addPage(QStringView pageText);

    int merged() const { return merged_; }
    QString documentTitle() const { return mergedDocumentTitle(firstTitle_); }
    const QString &body() const { return body_; }
    // The whole document with the given charset ("UTF-8", or "SHIFT_JIS" for the copy).
    QString document(const QString &charset) const;

private:
    MergeMode mode_;
    int numbered_ = 0;
    int merged_ = 0;
    QString firstTitle_;
    QString body_;
};

} // namespace sorvek
