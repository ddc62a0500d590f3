#pragma once
#include <QString>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Texts that repeat down a column (a facility's name on each of its stays, a gender letter, a
// common surname, an arrival date) are kept once and shared by every row that holds them, so that
// a long list needs far less memory and far fewer allocations. A column whose texts rarely repeat
// (addresses, serial numbers) stops being pooled after a first sample and then costs no more than
// reading each text on its own.
class RepeatedTextPool {
public:
    static constexpr int kSampleSize = 2048;    // texts read before a column's pooling is judged
    static constexpr int kLongestPooled = 64;   // bytes; longer texts are rarely the same twice
    static constexpr size_t kMostTexts = 16384; // distinct texts kept per column

    // The text of the UTF-8 bytes read from the column, shared with earlier equal texts.
    QString text(int column, const char *utf8, int bytes);

private:
    struct TransparentHash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    struct ColumnPool {
        std::unordered_map<std::string, QString, TransparentHash, std::equal_to<>> texts;
        int lookups = 0;
        int hits = 0;
        bool pooling = true;
    };

    QString pooled(ColumnPool &pool, std::string_view bytes);

    std::vector<ColumnPool> m_columns;
};
