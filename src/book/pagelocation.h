#pragma once
// Where a page reference of the top level points: a web address, or a local file.
// Folder levels hold bare names, link levels link targets, search levels paths below the search folder.
#include <QString>

#include <optional>

namespace sorvek {

// A name without "/" or "\" is a file of the top folder, whatever ":" it holds ("note:1.html",
// "C:x.html"): a web address or an absolute path always has a slash.
bool isBarePageName(const QString &ref);

// A web reference: any non-file URL, or text holding "http://" in any case (as old link levels
// have); never a bare name.
bool isWebPageReference(const QString &ref);

// The local file a reference names: a file URL or an absolute path as it stands, a bare or
// relative name below topFolder (which ends with "/"); "\" becomes "/". nullopt for a web reference.
std::optional<QString> pageFilePath(const QString &ref, const QString &topFolder);

// What showing a page sets: the page's local path and the URL the browser goes to.
struct PageLocation {
    QString path;
    QString url;
    bool web = false;
};

// A web reference is shown as it stands and keeps currentPath; a local one gets its file URL.
PageLocation locatePage(const QString &ref, const QString &topFolder, const QString &currentPath);

} // namespace sorvek
