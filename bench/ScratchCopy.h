#pragma once
#include <QString>
#include <QTemporaryDir>

// A fresh temporary folder holding a copy of a database file under the program's name qrt.db, so
// that no run sees what an earlier one did to the file. The folder goes with the object.
class ScratchCopy {
public:
    explicit ScratchCopy(const QString &database);
    ScratchCopy(const ScratchCopy &) = delete;
    ScratchCopy &operator=(const ScratchCopy &) = delete;

    QString folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};
