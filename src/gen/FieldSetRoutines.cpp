#include "gen/FieldSetRoutines.h"

#include "controls/DbGrid.h"
#include "db/AppError.h"
#include "db/BooleanWords.h"
#include "db/Field.h"
#include "db/Query.h"
#include "gen/TDataTanimlari.h"

namespace {

int readWholeNumber(const QString &text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok, 10);
    if (!ok)
        throw AppError(QStringLiteral("'%1' is not a valid integer value").arg(text));
    return number;
}

// Columns without a declared type are read by their value, which may well be a number.
bool takesNumericFormat(FieldType type)
{
    return isNumericType(type) || type == FieldType::Unknown;
}

void applyDisplayFormat(Field &field, const QString &format)
{
    if (!isDateTimeType(field.type()) && !takesNumericFormat(field.type()))
        throw AppError(QStringLiteral("Invalid type conversion"));
    field.setDisplayFormat(format);
}

void applyEntry(Field &field, const Tmyfieldset &fieldset, int index)
{
    if (!fieldset.etiket(index).isEmpty())
        field.setDisplayLabel(fieldset.etiket(index));
    if (!fieldset.goster(index).isEmpty())
        field.setVisible(BooleanWords::toBool(fieldset.goster(index)));
    if (!fieldset.genislik(index).isEmpty())
        field.setDisplayWidth(readWholeNumber(fieldset.genislik(index)));
    field.setEditMask(fieldset.editmaske(index));
    if (!fieldset.defaultexp(index).isEmpty())
        field.setDefaultExpression(fieldset.defaultexp(index));
    if (!fieldset.dispformat(index).isEmpty())
        applyDisplayFormat(field, fieldset.dispformat(index));
}

Field *namedField(const Query &query, const QString &name)
{
    return name.isEmpty() ? nullptr : query.findField(name);
}

} // namespace

void fieldSetTemizle(Tmyfieldset &fieldset)
{
    fieldset.clear();
}

void alanlariOlustur(Query &query)
{
    query.prepareFields();
}

void fieldSetAlanlaraUygula(Query &query, const Tmyfieldset &fieldset)
{
    for (int i = 0; i < Tmyfieldset::EntryCount && !fieldset.isEndOfSet(i); ++i) {
        if (Field *field = namedField(query, fieldset.alanadi(i)))
            applyEntry(*field, fieldset, i);
    }
}

void fieldSetGrideUygula(DbGrid &grid, const Tmyfieldset &fieldset, Query &query)
{
    for (int i = 0; i < Tmyfieldset::EntryCount; ++i) {
        const Field *field = namedField(query, fieldset.alanadi(i));
        if (!field || fieldset.goster(i).isEmpty())
            continue;
        GridColumn column;
        column.fieldName = field->name();
        column.title = fieldset.etiket(i);
        column.visible = BooleanWords::toBool(fieldset.goster(i));
        column.readOnly = !fieldset.usercanmodify(i).isEmpty() && !BooleanWords::toBool(fieldset.usercanmodify(i));
        column.titleAlignment = column.alignment = field->alignment();
        grid.addColumn(column);
    }
}

Tmyfieldset applyFieldSetFirstShow(const TDataTanimlari &registry, const QString &setName,
                                   Query &query, DbGrid *grid)
{
    alanlariOlustur(query);
    for (int i = 0; i < query.fieldCount(); ++i)
        query.field(i)->setVisible(false);
    Tmyfieldset fieldset;
    registry.fieldSetVer(setName, fieldset);
    fieldSetAlanlaraUygula(query, fieldset);
    if (grid) {
        if (grid->query() != &query)
            grid->setQuery(&query);
        grid->clearColumns();
        fieldSetGrideUygula(*grid, fieldset, query);
    }
    return fieldset;
}
