#pragma once
#include <QString>

// The resource path of the database creation script carried inside the program.
inline constexpr char kCreationScriptResource[] = ":/data/Res_DB_SQLITE_CREATE.sql";

// The creation script as one text, decoded from its UTF-8 bytes. It builds the schema and the seed
// rows of qrt.db and is safe to run again on a file of any age.
// Throws AppError when the resource cannot be read.
QString creationScriptText();
