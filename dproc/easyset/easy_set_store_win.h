// The two Easy Set stores and the user's order of the list.  Shared Easy
// Sets live in the printer's printer data, user Easy Sets under the user's
// settings key of the printer; both keep their records concatenated in
// numbered chunks ("EasySetData0001" ...) of at most 16384 bytes with a
// count ("EasySetDataCnt").  The order ("EasySetOrder01" ... with
// "EasySetOrderCnt") lives beside the user Easy Sets.
//
// Reads cap the stored counts (common/records/stored_counts.h) and take
// whole records only; writes put the chunks first, the count after them and
// then clear the chunks of a longer earlier set, so a failed write leaves
// the old count over chunks that still hold whole records up to it.
#pragma once

#include <windows.h>

#include "common/win/numbered_values_win.h"
#include "dproc/easyset/easy_set_list.h"

// Appends the records of a store to `list` with `kind`; the number added.
size_t LoadEasySetChunks(const NumberedValues& values, EasySetList* list, uint32_t kind);
// Writes the records of `kind` of `list`; false at the first failed write.
bool SaveEasySetChunks(const NumberedValues& values, const EasySetList& list, uint32_t kind);

void LoadSharedEasySets(HANDLE printer, EasySetList* list);
void LoadUserEasySets(const wchar_t* printerName, const wchar_t* driverName, EasySetList* list);
bool SaveSharedEasySets(const EasySetList& list, HANDLE printer);
// Opens the printer for administration: false, nothing written, for a user
// without that right.
bool SaveSharedEasySetsByName(const EasySetList& list, const wchar_t* printerName);
bool SaveUserEasySets(const EasySetList& list, const wchar_t* printerName, const wchar_t* driverName);

void ReadEasySetOrderValues(const NumberedValues& values, EasySetOrderTable* order);
// One entry per node (at most the table's 50), in list order.
bool SaveEasySetOrderValues(const NumberedValues& values, const EasySetList& list);
void ReadEasySetOrder(const wchar_t* printerName, const wchar_t* driverName, EasySetOrderTable* order);
bool SaveEasySetOrder(const EasySetList& list, const wchar_t* printerName, const wchar_t* driverName);
