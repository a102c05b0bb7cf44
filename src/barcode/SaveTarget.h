#pragma once

#include "barcode/WorkFile.h"

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

// Has the engine print its file once more under another name (same suffix).
using TReprint = std::function<void(const QString &engineFileName)>;

// Where the engine's file goes, and how a save makes sure that it arrived whole and that a
// failure loses nothing. The engine does not check its own writes: a full disk, a quota or a
// file-size limit cut its file short and it still reports success.
// - A regular file (or a new name) is written by the engine into a work file of our own in the
//   target's folder, checked, and renamed over the target: until that rename the earlier file
//   is untouched, and a failure removes the work file. A name whose work file would not fit the
//   engine's name field goes the way of a device, with the copy made into a work file.
// - A device, FIFO or socket (/dev/null, /dev/stdout, a pipe) cannot be renamed onto: the engine
//   writes a work file in the temporary folder, which is checked and then copied into the target
//   with every write checked.
// - A folder in which no work file can be made (missing, or writable only in its files) leaves
//   the engine to write the target itself, checked afterwards as well as it can be.
// - With the engine's standard-output option, and for the name "-", the engine writes to
//   standard output itself; no file is checked.
class TSaveTarget final
{
public:
    TSaveTarget(const QString &fileName, bool toStdout, qsizetype engineNameLimit);
    ~TSaveTarget();
    TSaveTarget(const TSaveTarget &) = delete;
    TSaveTarget &operator=(const TSaveTarget &) = delete;

    // The name to hand to the engine as outfile.
    QString EngineFileName() const;
    // After the engine reported success: makes sure its file is whole (`reprint` tells a file
    // that exactly filled the disk from one cut short), stamps the resolution (`dpi` 0: none)
    // and puts the file in place. EBarcodeError when it cannot; the earlier file is then as it was.
    void Finish(const TReprint &reprint, double dpi);
    // True when Finish makes sure that a file of any name but "-" arrived: with the engine's
    // standard-output option nothing is written to a file, and nothing can be checked.
    static bool ChecksArrival(bool toStdout) { return !toStdout; }

private:
    enum class TWay { Stdout, Rename, Copy, InPlace };

    void FinishInPlace(const TReprint &reprint, double dpi) const;

    QString FFileName;
    TWay FWay = TWay::Stdout;
    bool FIntoDevice = false;
    struct TMode {
        bool Known = false; // the target was a regular file, whose mode the new one takes
        unsigned Mode = 0;
        unsigned Owner = 0;
        unsigned Group = 0;
        // Whether the new file must be given this mode, owner and group.
        bool Differs(const TWorkFile::TLook &look) const
        {
            return Known && ((Mode & 07777) != look.Mode || Owner != look.Owner || Group != look.Group);
        }
    } FMode;
    std::unique_ptr<TWorkFile> FEngineFile; // what the engine writes, when not the target itself
    std::unique_ptr<TWorkFile> FPlaceFile;  // the copy beside the target, when the engine's is elsewhere
};
