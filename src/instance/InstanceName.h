#pragma once
#include <QString>

// The name under which the program that holds a register answers other starts on it. It is made
// from the register's absolute path with links resolved, so every way of reaching the same
// working directory finds the same program, and two directories never share one.
class InstanceName {
public:
    static QString forRegister(const QString &registerFile);

    // The lock that makes "is anybody answering? then I will" one step for two starts at once.
    static QString claimLockPath(const QString &instanceName);
};
