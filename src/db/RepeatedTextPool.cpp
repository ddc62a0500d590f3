#include "db/RepeatedTextPool.h"

QString RepeatedTextPool::text(int column, const char *utf8, int bytes)
{
    if (column >= int(m_columns.size()))
        m_columns.resize(size_t(column) + 1);
    ColumnPool &pool = m_columns[size_t(column)];
    if (!pool.pooling || bytes == 0 || bytes > kLongestPooled)
        return QString::fromUtf8(utf8, bytes);
    return pooled(pool, std::string_view(utf8, size_t(bytes)));
}

QString RepeatedTextPool::pooled(ColumnPool &pool, std::string_view bytes)
{
    ++pool.lookups;
    const auto found = pool.texts.find(bytes);
    if (found != pool.texts.end()) {
        ++pool.hits;
        return found->second;
    }
    QString text = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    if (pool.lookups >= kSampleSize && pool.hits * 2 < pool.lookups) {
        // Mostly distinct texts: the pool would only cost time and memory.
        pool.pooling = false;
        pool.texts = {};
    } else if (pool.texts.size() < kMostTexts) {
        pool.texts.emplace(std::string(bytes), text);
    }
    return text;
}
