#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

class QTemporaryFile;

// Where the engine's file goes and how a save makes sure it arrived. The engine does not check
// its own writes: a full disk or a refusing device still ends in a reported success.
// - A regular file (or a new name) is written by the engine and checked afterwards.
// - A device, FIFO or socket (/dev/null, /dev/stdout, a pipe) cannot be checked afterwards: the
//   engine writes a temporary file with the same extension, which is then copied into the
//   target with every write checked.
// - With the engine's standard-output option, and for the name "-", the engine writes to
//   standard output itself; no file is checked.
class TSaveTarget final
{
public:
    TSaveTarget(const QString &fileName, bool toStdout);
    ~TSaveTarget();
    TSaveTarget(const TSaveTarget &) = delete;
    TSaveTarget &operator=(const TSaveTarget &) = delete;

    // The name to hand to the engine as outfile.
    QString EngineFileName() const;
    // After the engine reported success: copies or checks as above; EBarcodeError when the file
    // did not arrive whole.
    void Finish() const;
    // True when the target is a regular file that the engine wrote: the one that can be stamped.
    bool IsRegularFile() const;
    // True when Finish makes sure that a file of any name but "-" arrived: with the engine's
    // standard-output option nothing is written to a file, and nothing can be checked.
    static bool ChecksArrival(bool toStdout) { return !toStdout; }

private:
    QString FFileName;
    bool FToStdout;
    std::unique_ptr<QTemporaryFile> FDetour;
};

// True when a file system with these block counts has no room left for the writer. The
// privileged user may also fill the blocks reserved for it; a file system that reports no blocks
// at all (a pseudo or network file system) tells nothing.
bool NoRoomLeft(quint64 blocks, quint64 freeBlocks, quint64 availableBlocks, bool privileged);
