#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The program's INI file with the semantics of Windows private-profile files:
// section and key names match without regard to letter case, values are read
// trimmed and cut to 254 bytes, a missing key or file reads as empty text.
// A file that an editor saved as UTF-8 with a byte-order mark is read and
// written as UTF-8.
// Writes change only the one line concerned; every other line, comments
// included, is kept byte for byte, and the file is always replaced whole.
class SettingsFile
{
public:
    SettingsFile(const QString &filePath, const QString &mainSection);

    QString filePath() const { return m_path; }
    QString mainSection() const { return m_mainSection; }
    bool exists() const;
    // False when the file exists but cannot be read (a folder, no
    // permission, a read error); reason tells what the system reported.
    bool readable(QString *reason = nullptr) const;

    // An empty section means the main section.
    QString readSetting(const QString &section, const QString &key) const;
    bool writeSetting(const QString &section, const QString &key, const QString &value);
    QString readSettingOrDefault(const QString &section, const QString &key,
                                 const QString &defaultValue);

    // What the last failed write reported (empty after a success).
    QString lastError() const { return m_lastError; }

    // Collects writes in memory and replaces the file once when the last
    // Batch ends, so writing every layout default costs one file write.
    class Batch
    {
    public:
        explicit Batch(SettingsFile &file);
        ~Batch();
        Batch(const Batch &) = delete;
        Batch &operator=(const Batch &) = delete;
        // Drops the writes collected so far; the file stays as it is.
        void discard() { m_file.m_batchDirty = false; }

    private:
        SettingsFile &m_file;
    };

    static constexpr int maxValueBytes = 254;

private:
    struct Lines
    {
        QList<QByteArray> raw;
        bool loaded = false; // false when the file exists but cannot be read
        bool utf8 = false;   // the file starts with a UTF-8 byte-order mark
    };
    Lines load() const;
    bool store(const QList<QByteArray> &lines);
    bool flushBatch();

    QString m_path;
    QString m_mainSection;
    QString m_lastError;
    int m_batchDepth = 0;
    bool m_batchDirty = false;
    bool m_batchUnreadable = false;
    QList<QByteArray> m_batchLines;
};
