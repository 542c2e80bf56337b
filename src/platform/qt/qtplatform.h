#pragma once
// Every real platform service in one place, and the real browser controls; made once by the
// program (and by the start-up benchmark).
#include "platform/browser_ui.h"
#include "platform/qt/qtcapture.h"
#include "platform/qt/qtdesktop.h"
#include "platform/qt/qtservices.h"
#include "platform/qt/webenginebrowser.h"

namespace sorvek {

struct QtPlatform {
    QtUserPrompt prompt;
    QtFileDialogs fileDialogs;
    QtShell shell;
    QtStandardFolders folders;
    QtProcessLauncher processes;
    QtSoundPlayer sound;
    QtDownloader downloader;
    QtClipboard clipboard;
    QtScreenCapture capture;  // for the page snapshot

    PlatformServices services()
    {
        return {&prompt, &fileDialogs, &shell, &folders, &processes, &sound, &downloader, &clipboard, &capture};
    }
    static BrowserFactory browsers()
    {
        return [](QWidget *parent) -> BrowserControl * { return new WebEngineBrowser(parent); };
    }
};

} // namespace sorvek
