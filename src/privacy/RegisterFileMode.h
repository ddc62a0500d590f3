#pragma once
#include <QFileDevice>
#include <QString>

class Database;

// The register holds years of names, identity numbers and addresses: its file and its rollback
// journal are for the account that runs the program alone (mode 0600). A new register is created
// that way; a register found readable by the group or by others is narrowed at start, and the
// operator is told why once, when the main window first appears.
class RegisterFileMode {
public:
    static constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

    // Narrows an existing register (and a journal beside it) to the owner, then opens it, creating
    // it owner-only when it is missing. Throws the engine's error like Database::open.
    static void openOwnerOnly(Database &db, const QString &fileName);

    // Narrows the file to 0600 when it has any group or other permission bit. Returns the Turkish
    // notice for the operator, or an empty text when the file is missing or already private.
    static QString narrowIfShared(const QString &fileName);

    // The notice of the last narrowing that nobody has shown yet; reading it forgets it.
    static QString takePendingNotice();

private:
    static QString &pendingNotice();
};
