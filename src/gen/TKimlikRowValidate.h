#pragma once
#include <QList>
#include <QString>

class Field;
class Query;

// The rules for the identity data of one guest stay, applied to the current row of a guest query:
// which fields must be filled, which must stay empty for a foreign guest, and whether a TC number
// is well formed. It keeps no guest data, only the outcome of its last check and the list of
// fields that the row it last looked at requires.
class TKimlikRowValidate {
public:
    // One required field of the row with the label that its message names.
    struct TReqField {
        Field *field;
        QString label;
    };
    using TReqFieldList = QList<TReqField>;

    TKimlikRowValidate() = default;

    // The row source: the query whose current row is checked. Set it before any check; the
    // validator does not own it.
    Query *Fields = nullptr;

    // Rebuilds the required-field list from the current row. Errors of the row source (a field
    // it does not have) pass to the caller.
    void buildReqFieldList();
    // Whether the editor of `Fld` is to be marked as still needed: on a query with rows, a
    // listed field that is empty; on a closed or empty query, any listed field.
    bool isfieldneed(Field *Fld);
    // The full check of the current row. Never throws: a failure leaves its message in
    // LastErrorMsg and, when it concerns one field, that field in LastErrorField.
    bool isvalid();

    const QString &LastErrorMsg() const { return FLastErrorMsg; }
    Field *LastErrorField() const { return FLastErrorField; }
    // In the order of the required-field table, so the first empty field in that order is the
    // one that isvalid reports.
    const TReqFieldList &ReqFieldList() const { return FReqFieldList; }

private:
    Query &rowSource() const;
    bool isListed(const Field *field) const;
    void ensureReqFieldList();
    void checkRow();
    void checkRequiredFields() const;
    void checkCitizen() const;
    void checkForeignGuest() const;

    QString FLastErrorMsg;
    Field *FLastErrorField = nullptr;
    TReqFieldList FReqFieldList;
};
