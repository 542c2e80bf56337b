#pragma once
// Repeated forward searches for one needle in one text, answered from a cache while the asked
// position has not passed the last hit. Scans that look for a partner mark after every opener
// stay linear even when the partner is missing.
#include <QString>
#include <QStringView>

namespace sorvek {

class ForwardFinder {
public:
    ForwardFinder(QStringView text, QStringView needle, Qt::CaseSensitivity cs = Qt::CaseSensitive)
        : text_(text), needle_(needle), cs_(cs) {}

    // The first position at or after from where the needle starts, -1 when there is none.
    qsizetype indexFrom(qsizetype from)
    {
        if (needle_.isEmpty())
            return -1;
        if (searched_ && from >= searchedFrom_ && (hit_ < 0 || hit_ >= from))
            return hit_;
        searched_ = true;
        searchedFrom_ = from;
        hit_ = text_.indexOf(needle_, from, cs_);
        return hit_;
    }

private:
    QStringView text_;
    QStringView needle_;
    Qt::CaseSensitivity cs_;
    bool searched_ = false;
    qsizetype searchedFrom_ = 0;
    qsizetype hit_ = -1;
};

} // namespace sorvek
