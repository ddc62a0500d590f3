#include "privacy/OwnerOnlyFileCreation.h"

#include <sys/stat.h>

OwnerOnlyFileCreation::OwnerOnlyFileCreation() : m_previous(::umask(S_IRWXG | S_IRWXO)) {}

OwnerOnlyFileCreation::~OwnerOnlyFileCreation() { ::umask(m_previous); }
