// ADO's numeric constants: data types, field attributes, cursor, lock and
// object-state values, numbered as ADO numbers them (callers store these codes).
#pragma once

namespace orlix::ado {

// Field data types (DataTypeEnum).
enum DataType : int {
  adEmpty = 0,
  adSmallInt = 2,
  adInteger = 3,
  adSingle = 4,
  adDouble = 5,
  adCurrency = 6,
  adDate = 7,
  adBSTR = 8,
  adIDispatch = 9,
  adError = 10,
  adBoolean = 11,
  adVariant = 12,
  adIUnknown = 13,
  adDecimal = 14,
  adTinyInt = 16,
  adUnsignedTinyInt = 17,
  adUnsignedSmallInt = 18,
  adUnsignedInt = 19,
  adBigInt = 20,
  adUnsignedBigInt = 21,
  adFileTime = 64,
  adGUID = 72,
  adBinary = 128,
  adChar = 129,
  adWChar = 130,
  adNumeric = 131,
  adUserDefined = 132,
  adDBDate = 133,
  adDBTime = 134,
  adDBTimeStamp = 135,
  adChapter = 136,
  adPropVariant = 138,
  adVarNumeric = 139,
  adVarChar = 200,
  adLongVarChar = 201,
  adVarWChar = 202,
  adLongVarWChar = 203,
  adVarBinary = 204,
  adLongVarBinary = 205,
};

// Field attributes (FieldAttributeEnum), a bit set; -1 means "unspecified".
enum FieldAttribute : long {
  adFldUnspecified = -1,
  adFldMayDefer = 0x2,
  adFldUpdatable = 0x4,
  adFldUnknownUpdatable = 0x8,
  adFldFixed = 0x10,
  adFldIsNullable = 0x20,
  adFldMayBeNull = 0x40,
  adFldLong = 0x80,
  adFldRowID = 0x100,
  adFldRowVersion = 0x200,
  adFldCacheDeferred = 0x1000,
  adFldIsChapter = 0x2000,
  adFldNegativeScale = 0x4000,
  adFldKeyColumn = 0x8000,
};

enum CursorLocationEnum : int { adUseNone = 1, adUseServer = 2, adUseClient = 3 };
enum CursorTypeEnum : int {
  adOpenUnspecified = -1,
  adOpenForwardOnly = 0,
  adOpenKeyset = 1,
  adOpenDynamic = 2,
  adOpenStatic = 3,
};
enum LockTypeEnum : int {
  adLockUnspecified = -1,
  adLockReadOnly = 1,
  adLockPessimistic = 2,
  adLockOptimistic = 3,
  adLockBatchOptimistic = 4,
};
enum ObjectStateEnum : int { adStateClosed = 0, adStateOpen = 1 };
// Recordset.Save formats.
enum PersistFormatEnum : int { adPersistADTG = 0, adPersistXML = 1 };

// Recordset.Open options (CommandTypeEnum): adCmdFile opens a saved record set.
enum CommandTypeEnum : long {
  adCmdUnspecified = -1,
  adCmdText = 1,
  adCmdTable = 2,
  adCmdUnknown = 8,
  adCmdFile = 256,
  adCmdTableDirect = 512,
};

// A short English name of a data type for messages ("adInteger").
// The character (string) types: BSTR, Char, WChar, VarChar, VarWChar and the
// long text types LongVarChar and LongVarWChar (PostgreSQL's text arrives as
// one of those). A target of such a type takes the category map, and a
// missing value in such a field is the text "MISSING", not a dropped record.
bool isCharacterType(DataType type);

const char* dataTypeName(DataType type);

}  // namespace orlix::ado
