#pragma once
// Page recordings: which WAV file belongs to the page shown, preparing a recording and keeping
// it only when the recorder left something in it, and what the play button does.
#include <QString>

namespace sorvek {

// The recording of the page shown: in the top level's folder (the book folder while at most one
// level is open), named after the page file of the current-URL register with ".wav" in place of
// its extension; a register without a file name counts as "index.html".
QString pageSoundFile(const QString &currentUrl, const QString &topFolder, int levelDepth, const QString &bookFolder);

// A recording shorter than this after the recorder has closed holds nothing and is removed.
inline constexpr qint64 kKeptRecordingBytes = 1024;

// The recorder of our own, beside the program file.
QString recorderProgram(const QString &programFolder);

struct RecordingStart {
    bool ok = false;
    bool createdEmpty = false; // the 58-byte empty recording was written first
    QString error;             // why the file could not be created; no recorder starts then
};
// Before the recorder starts: a missing file gets the empty recording; an existing one is
// handed to the recorder unchanged.
RecordingStart prepareRecording(const QString &path);

// After the recorder has closed: a file shorter than kKeptRecordingBytes is removed.
// Returns true when a recording remains.
bool keepRecording(const QString &path);

// Recording and deleting act only on a level with pages.
inline bool hasPagesForSound(int pageCount)
{
    return pageCount > 0;
}

// What a release on the play button does: the right button sends the recording to the trash
// (after a question), any other button plays it.
enum class PlayButtonAction { Nothing, Play, Recycle };
PlayButtonAction playButtonAction(bool rightButton, bool recordingExists);

// The question asked before a recording goes to the trash.
QString recycleQuestion(const QString &path);

} // namespace sorvek
