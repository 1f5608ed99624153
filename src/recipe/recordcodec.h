#pragma once

#include "recipe/reciperecord.h"

#include <QString>
#include <QStringList>

#include <initializer_list>

namespace Cp932 {
class Decoder;
}

// The row format of recipe files: comma- (or TAB-) separated, double-quoted
// fields, multi-line fields stored with "\n" for each line break.
namespace RecordCodec {

void splitRecordLine(QStringView line, RecipeRecord &record);
RecipeRecord splitRecordLine(QStringView line);

// Fields 1 to count of a row, as splitRecordLine gives them; the other fields
// of the record are left as they are. For readers that need only the first
// few fields of every row.
void splitLeadingFields(QStringView line, RecipeRecord &record, int count);

// How many bytes at the start of a row as read (CP932) hold its first count
// fields with the separator after them: splitLeadingFields gives the same
// fields for those bytes decoded as for the whole row decoded. The whole row
// when it has no more fields.
qsizetype leadingFieldsEnd(QByteArrayView row, int count);

// The fields of a row with the splitter's quote rules, as many as there are.
// With tabSeparates false only commas separate.
QStringList splitFields(QStringView line, bool tabSeparates = true);

// The fields with these numbers (each at most once), in the order given, as
// splitRecordLine gives them; nothing is copied of the other fields.
QStringList selectedFields(QStringView line, std::initializer_list<int> numbers);
// The same for a row as read (CP932), decoding only those fields.
QStringList selectedFields(QByteArrayView row, std::initializer_list<int> numbers,
                           Cp932::Decoder &decoder);

// Builds the row (without line end): fields 1 to lastField, each quoted.
// lastField is at least 29; kept fields 30 to 200 follow when it is larger.
QString writeRecordLine(const RecipeRecord &record, int lastField = RecipeRecord::definedFields);

QString encodeMultiline(const QString &text);
QString decodeMultiline(const QString &text);

// Sort key of a row: field 1 in 20 characters, field 2 in 20 bytes and
// field 3 in 50 bytes, each trimmed and padded with blanks, at two bytes a
// character. Rows of a file stand in ascending order of this key.
QString sortKey(const RecipeRecord &record);

// A text trimmed, padded with blanks and cut to exactly `chars` characters.
QString padCut(const QString &text, int chars);
// The same appended to out.
void appendPadCut(QString &out, QStringView text, int chars);

} // namespace RecordCodec
