#include "authoring/fileimport.h"

#include "book/bookfilereader.h"
#include "authoring/pagetemplates.h"
#include "authoring/picturesize.h"
#include "commands/commandtext.h"
#include "commands/textfile.h"
#include "commands/texthelpers.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>

namespace sorvek {

namespace {

const QString kLogoWidth = QStringLiteral("744");
const QString kLogoHeight = QStringLiteral("550");

bool hasExtension(const QString &lowerExtension, std::initializer_list<const char *> extensions)
{
    for (const char *e : extensions) {
        if (lowerExtension == QLatin1String(e))
            return true;
    }
    return false;
}

QString withoutExtension(const QString &name)
{
    return name.left(name.size() - extensionOf(name).size());
}

QString withFolderSlash(const QString &folder)
{
    return folder.endsWith(u'/') ? folder : folder + u'/';
}

struct CopyResult {
    bool ok = false;
    QByteArray bytes; // the source's bytes, for measuring a picture
    QString problem;
};

// Read whole, then written through the safe writer: a target that is the source itself stays intact.
CopyResult copyFile(const QString &source, const QString &target)
{
    BookFileRead read = readBookFile(source, BookFileKind::AnyFile);
    if (!read)
        return {false, {}, QStringLiteral("ファイルを読めません: ") + read.message};
    CopyResult result{true, std::move(read.bytes), {}};
    const WriteResult written = writeBytesSafely(target, result.bytes);
    if (!written)
        return {false, {}, QStringLiteral("コピーできません: ") + written.error};
    return result;
}

QString canonical(const QString &path)
{
    const QString c = QFileInfo(path).canonicalFilePath();
    return c.isEmpty() ? QFileInfo(path).absoluteFilePath() : c;
}

// A copied folder is copied whole, as the desktop's file copy does; never into itself.
QStringList copyFolderInto(const QString &source, const QString &folder)
{
    const QString from = canonical(source);
    const QString into = canonical(folder);
    if (into == folderPart(from).chopped(1))
        return {}; // already there
    if (into == from || into.startsWith(from + u'/'))
        return {QStringLiteral("フォルダをそれ自身の中にはコピーできません: ") + source};
    const QString target = withFolderSlash(folder) + QFileInfo(source).fileName();
    QStringList problems;
    QDir().mkpath(target);
    const QDir sourceDir(source);
    QDirIterator it(source, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo entry(it.next());
        const QString copy = target + u'/' + sourceDir.relativeFilePath(entry.filePath());
        if (entry.isDir()) {
            if (!QDir().mkpath(copy))
                problems.append(QStringLiteral("フォルダを作れません: ") + copy);
        } else if (const CopyResult copied = copyFile(entry.filePath(), copy); !copied.ok) {
            problems.append(copied.problem);
        }
    }
    return problems;
}

} // namespace

ImportGroup importGroupOf(const QString &path)
{
    const QString e = extensionOf(urlFileName(path)).toLower();
    if (hasExtension(e, {".mw2", ".mwx"}))
        return ImportGroup::LogoProject;
    if (hasExtension(e, {".gif", ".jpeg", ".jpg", ".bmp"}))
        return ImportGroup::MeasuredPicture;
    if (hasExtension(e, {".png", ".wmf", ".emf", ".tif", ".tiff", ".fpx", ".pcd", ".mif", ".dcm"}))
        return ImportGroup::OtherPicture;
    if (hasExtension(e, {".pdf", ".avi", ".wmv", ".mpg", ".txt", ".doc", ".xls", ".jtd", ".jtdc"}))
        return ImportGroup::DocumentOrMedia;
    return ImportGroup::Other;
}

QString importStamp(const QDateTime &lastWrite)
{
    return lastWrite.toLocalTime().toString(QStringLiteral("yyyyMMdd'-'HHmmss"));
}

ImportNames importNames(const QString &path, const QString &folder, const QString &stamp, ImportGroup group)
{
    const QString fileName = urlFileName(path);
    ImportNames names;
    names.name = fileName.mid(fileName.indexOf(u'~') + 1);
    names.base = withoutExtension(names.name);
    if (group == ImportGroup::LogoProject && names.base.isEmpty())
        names.base = withoutExtension(fileName);
    names.plainTarget = folder + stamp + extensionOf(fileName);
    names.namedTarget = names.name.contains(u'-') ? names.plainTarget : folder + stamp + u'~' + names.name;
    names.pageFile = withoutExtension(names.namedTarget) + QStringLiteral(".html");
    return names;
}

QString ImportOutcome::message() const
{
    return problems.join(u'\n');
}

FileImport::FileImport(const QStringList &paths, const QString &folder)
    : paths_(paths), folder_(withFolderSlash(folder))
{
}

bool FileImport::step()
{
    if (atEnd())
        return false;
    importFile(paths_.at(next_));
    if (!stopped_)
        ++next_;
    return !stopped_;
}

void FileImport::stop(const QString &problem)
{
    outcome_.problems.append(problem);
    outcome_.remaining = paths_.mid(next_);
    stopped_ = true;
}

void FileImport::importFile(const QString &path)
{
    const QFileInfo source(path);
    if (!source.exists()) {
        // The stamp needs the file's own time, and nothing may be created there to get one.
        outcome_.problems.append(QStringLiteral("ファイルが見つかりません: ") + path);
        return;
    }
    if (source.isDir()) {
        const QString folder = QDir::cleanPath(path);
        outcome_.problems.append(copyFolderInto(folder, folder_));
        outcome_.imported.append({path, ImportGroup::Other, folder_ + QFileInfo(folder).fileName(), {}});
        return;
    }
    const ImportGroup group = importGroupOf(path);
    // Files of the browser's cache carry no stamp.
    const QString stamp = path.contains(QLatin1String("temporary internet")) ? QString()
                                                                              : importStamp(source.lastModified());
    const ImportNames names = importNames(path, folder_, stamp, group);
    QString copy = group == ImportGroup::LogoProject ? names.plainTarget : names.namedTarget;
    if (group == ImportGroup::Other)
        copy = folder_ + source.fileName();
    const CopyResult copied = copyFile(path, copy);
    if (!copied.ok) {
        // A page would only point at a file that is not there.
        outcome_.problems.append(copied.problem);
        return;
    }
    ImportedFile done{path, group, copy, {}};
    if (group != ImportGroup::Other && !writePage(done, names, copied.bytes))
        return;
    outcome_.imported.append(done);
}

bool FileImport::writePage(ImportedFile &done, const ImportNames &names, const QByteArray &bytes)
{
    const QString source = urlFileName(done.copy);
    WriteResult written;
    switch (done.group) {
    case ImportGroup::LogoProject:
        written = saveLogoPage(names.pageFile, {names.base, names.base, source, kLogoWidth, kLogoHeight});
        break;
    case ImportGroup::MeasuredPicture: {
        const std::optional<QSize> size = pictureSizeOf(bytes);
        if (!size) {
            stop(QStringLiteral("画像を読み込めません: ") + done.source
                 + QStringLiteral("。このファイルとその後のファイルは取り込んでいません。"));
            return false;
        }
        const PagePictureSize shown = pagePictureSize(*size);
        written = saveImagePage(names.pageFile, {names.base, {}, source, shown.width, shown.height});
        break;
    }
    case ImportGroup::OtherPicture:
        written = saveImagePage(names.pageFile, {names.base, names.base, source, {}, {}});
        break;
    case ImportGroup::DocumentOrMedia:
        written = saveFileLinkPage(names.pageFile, {names.base, names.base, source});
        break;
    case ImportGroup::Other:
        return true;
    }
    if (written)
        done.page = names.pageFile;
    else
        outcome_.problems.append(QStringLiteral("ページを保存できません: ") + written.error);
    return true;
}

ImportOutcome makePagesFromFiles(const QStringList &paths, const QString &folder, const QString &bookFolder)
{
    if (paths.isEmpty())
        return {};
    QDir().mkpath(bookFolder); // a failure shows up as the copies' own errors
    FileImport import(paths, folder);
    while (import.step()) {
    }
    return import.outcome();
}

} // namespace sorvek
