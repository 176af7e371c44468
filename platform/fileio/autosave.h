// Keeping unsaved work across a crash. While a program runs it leaves a marker
// "<program>-<pid>.run" in the state folder (~/.local/state/Yomiwa); while its document is
// modified it keeps a copy of it in "<program>-<pid>.<ext>" beside the marker. A clean end
// removes both, so a copy whose marker belongs to no running program is work that a crash
// (or a kill) left behind, and the next start offers it.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace fileio {

// $XDG_STATE_HOME/Yomiwa, or $HOME/.local/state/Yomiwa; a relative XDG_STATE_HOME is
// ignored, as the base directory rules ask. Empty when neither gives an absolute folder.
std::string StateDirectory(const char* xdgStateHome, const char* home);
// The same from this process's environment.
std::string StateDirectory();

// Whether process `pid` is a running instance of `program` (its /proc comm name), so a pid
// reused by another program does not hide a crashed run's work.
bool IsProgramRunning(int pid, std::string_view program);

// A copy that a run which did not end cleanly left behind.
struct LeftOverWork {
    int pid = 0;
    std::string copyPath;      // the autosaved document
    std::string originalPath;  // the file the work belonged to; empty for an untitled one
    std::filesystem::file_time_type written;
};

class AutosaveStore {
public:
    using RunningCheck = std::function<bool(int pid)>;

    // `extension` without its period ("mkl", "stg").
    AutosaveStore(std::string directory, std::string program, std::string extension, int pid);

    const std::string& Directory() const { return directory_; }
    const std::string& Program() const { return program_; }
    // Where this run's copy goes; never a user's file.
    std::string CopyPath() const;
    std::string MarkerPath() const;

    // Marks this run as running (the folder is made when missing). False when the marker
    // cannot be written; autosaving then stays off.
    bool Begin();
    // Records the file the copy belongs to in the marker; written only when it changes.
    bool NoteOriginal(const std::string& originalPath);
    // The copy is gone (the work was saved, closed or given up); the marker stays.
    void DropCopy();
    // The clean end: copy and marker removed.
    void End();

    // Work left by runs of this program that are not running, newest first. Markers of such
    // runs without a copy (nothing was unsaved) are removed on the way.
    std::vector<LeftOverWork> FindLeftOver(const RunningCheck& running) const;
    // Removes a left-over run's copy and marker (once taken over or declined).
    static void Forget(const LeftOverWork& work);

private:
    bool WriteMarker();

    std::string directory_, program_, extension_;
    int pid_;
    bool begun_ = false;
    std::string original_;
};

// When to write the copy: after each command that left the document changed since the
// last copy, and on the periodic tick once the interval has passed; the copy goes when the
// document is no longer modified (saved, closed, or opened afresh).
class AutosavePolicy {
public:
    using Clock = std::chrono::steady_clock;
    enum class Trigger { kCommand, kTick };
    enum class Action { kNone, kWrite, kDrop };

    explicit AutosavePolicy(Clock::duration interval = std::chrono::minutes(3))
        : interval_(interval) {}

    // `edits` counts every change of the document; it only grows.
    Action Decide(bool modified, uint64_t edits, Clock::time_point now, Trigger trigger) const;
    void Written(uint64_t edits, Clock::time_point now);
    void Dropped();

    Clock::duration Interval() const { return interval_; }

private:
    Clock::duration interval_;
    bool haveCopy_ = false;
    uint64_t writtenEdits_ = 0;
    Clock::time_point writtenAt_{};
};

// The question put at start-up about left-over work (UTF-8, for a Yes/No message box).
std::string RecoveryQuestion(std::string_view program, const LeftOverWork& work);

// The document as the autosave sees it.
struct AutosaveDocument {
    std::function<bool()> modified;
    std::function<uint64_t()> edits;
    std::function<std::string()> originalPath;  // empty while untitled
    // Writes the whole document to the copy's path through the atomic writer.
    std::function<bool(const std::string& copyPath)> write;
};

// One run's autosave: the store and the policy over a document. The window calls Check
// after each command and on a timer; a failed write is tried again at the next check.
class Autosaver {
public:
    Autosaver(AutosaveStore store, AutosaveDocument document,
              AutosavePolicy::Clock::duration interval = std::chrono::minutes(3));

    bool Begin() { return active_ = store_.Begin(); }
    bool Active() const { return active_; }
    void Check(AutosavePolicy::Trigger trigger,
               AutosavePolicy::Clock::time_point now = AutosavePolicy::Clock::now());
    void End();

    AutosaveStore& Store() { return store_; }

    // The offer at start: the newest work a crashed run of this program left is put to `ask`
    // as the recovery question; taken, `open` opens it, and it is kept at once as this run's
    // own copy. The left-over copy is removed either way. True when recovered work was
    // opened. `running` defaults to IsProgramRunning for this program.
    using Ask = std::function<bool(const std::string& question)>;
    using OpenRecovered =
        std::function<bool(const std::string& copyPath, const std::string& originalPath)>;
    bool OfferLeftOverWork(const Ask& ask, const OpenRecovered& open,
                           AutosaveStore::RunningCheck running = {});

private:
    AutosaveStore store_;
    AutosaveDocument document_;
    AutosavePolicy policy_;
    bool active_ = false;
};

}  // namespace fileio
