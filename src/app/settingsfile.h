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

    // What went wrong in the last write, naming the file and the reason;
    // empty when all went well. A write returns true when the value is in
    // place; this may still hold a warning then (the disk reported an error
    // after the new file was in place), which callers show too.
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

        // Ends the batch now. The outermost batch writes the file and returns
        // false when that or any write in the batch failed; lastError() is
        // empty only when all went well. An inner one leaves that to the
        // outermost.
        bool commit();

    private:
        SettingsFile &m_file;
        bool m_done = false;
    };

    static constexpr int maxValueBytes = 254;

private:
    struct Lines
    {
        QList<QByteArray> raw;
        bool loaded = false; // false when the file exists but cannot be read
        QString whyNot;      // then: what the system reported
        bool utf8 = false;   // the file starts with a UTF-8 byte-order mark
    };
    Lines load() const;
    bool store(const QList<QByteArray> &lines);
    bool flushBatch();
    bool writeFile(const QList<QByteArray> &lines);

    QString m_path;
    QString m_mainSection;
    QString m_lastError;
    int m_batchDepth = 0;
    bool m_batchDirty = false;
    bool m_batchUnreadable = false;
    QString m_batchUnreadableWhy;
    QString m_batchError; // the first failure inside the batch
    QList<QByteArray> m_batchLines;
};
