#pragma once
// The archive: the folder "書庫" directly inside the book folder, opened by the archive button.
#include <QString>

namespace sorvek {

class ArchiveFolder
{
public:
    // bookFolder has no trailing "/".
    explicit ArchiveFolder(const QString &bookFolder);

    QString path() const;  // bookFolder + "/書庫", without a trailing "/"

    // Entries of the archive matching "*.html*" (any kind, hidden ones too).
    int pageCount() const;

    struct ButtonState {
        bool visible = false;
        QString hint;
    };
    // The button is hidden inside the archive (a top folder holding "/書庫/") and when the
    // archive holds no "*.html*" entry; otherwise its hint tells how many it holds.
    ButtonState buttonState(const QString &topFolder) const;

    // Whether a click opens the archive: the top folder is not the archive itself (compared in
    // lower case), the archive exists and holds an entry matching "*.htm*".
    bool clickOpens(const QString &topFolder) const;

private:
    int countEntries(const QString &pattern, bool stopAtFirst) const;

    QString bookFolder_;
};

} // namespace sorvek
