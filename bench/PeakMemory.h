#pragma once
#include <QtGlobal>

// The resident-memory high-water mark of this process, as the kernel keeps it.
namespace PeakMemory {

// VmHWM of /proc/self/status in kB; throws AppError when it cannot be read.
qint64 residentKb();
// VmRSS: the resident size now, in kB.
qint64 currentKb();

// Hands freed heap back to the system and restarts the high-water mark at the current resident
// size, so that the work that follows is measured without what came before it. Returns that size
// in kB: the part of the peak that the libraries and the process had before the work started.
qint64 restart();

} // namespace PeakMemory
