// The value decoders beyond the bit tables, one per kind of layout. Each appends its rows to
// `rows`; a value that does not fit its layout ends with an "Invalid: ..." row or gets none.
#ifndef QUORVEL_PANELS_VALUE_DECODERS_H
#define QUORVEL_PANELS_VALUE_DECODERS_H

#include <vector>

#include "panels/decoder_support.h"

// Data object lists (PDOL, CDOL1, CDOL2, DDOL, TDOL).
void DecodeDol(const DecoderInput& in, std::vector<AnalysisRow>* rows);
void DecodeCvmList(const DecoderInput& in, std::vector<AnalysisRow>* rows);
void DecodeCvmResults(const DecoderInput& in, std::vector<AnalysisRow>* rows);

// YYMMDD dates and HHMMSS times.
void DecodeDate(const DecoderInput& in, std::vector<AnalysisRow>* rows);
void DecodeTime(const DecoderInput& in, std::vector<AnalysisRow>* rows);
// Amounts: numeric (6 bytes BCD) or binary (4 bytes), with the tree's currency.
void DecodeNumericAmount(const DecoderInput& in, std::vector<AnalysisRow>* rows);
void DecodeBinaryAmount(const DecoderInput& in, std::vector<AnalysisRow>* rows);
// Amount, Reference Currency (9F3A): binary, with the reference currency (9F3C) and its exponent.
void DecodeReferenceAmount(const DecoderInput& in, std::vector<AnalysisRow>* rows);
// Amounts in the application currency: "Amount X" / "Amount Y" of the CVM List.
std::string ApplicationCurrencyAmount(const DecoderInput& in, uint32_t amount);

void DecodeNumericCountry(const DecoderInput& in, std::vector<AnalysisRow>* rows);
void DecodeAlphaCountry(const DecoderInput& in, std::vector<AnalysisRow>* rows);
// One currency code, or a list of them (Application Reference Currency, 9F3B).
void DecodeCurrency(const DecoderInput& in, std::vector<AnalysisRow>* rows);
void DecodeLanguages(const DecoderInput& in, std::vector<AnalysisRow>* rows);

// Single codes looked up in the tables of the books.
void DecodeTransactionType(const DecoderInput& in, std::vector<AnalysisRow>* rows);
void DecodeTerminalType(const DecoderInput& in, std::vector<AnalysisRow>* rows);
void DecodePosEntryMode(const DecoderInput& in, std::vector<AnalysisRow>* rows);
void DecodeAccountType(const DecoderInput& in, std::vector<AnalysisRow>* rows);
// One exponent, or one per reference currency (9F43).
void DecodeCurrencyExponent(const DecoderInput& in, std::vector<AnalysisRow>* rows);
void DecodeApplicationPriority(const DecoderInput& in, std::vector<AnalysisRow>* rows);
void DecodeVersionNumber(const DecoderInput& in, std::vector<AnalysisRow>* rows);

void DecodeTrack2(const DecoderInput& in, std::vector<AnalysisRow>* rows);
void DecodeTrack2Discretionary(const DecoderInput& in, std::vector<AnalysisRow>* rows);
void DecodeServiceCode(const DecoderInput& in, std::vector<AnalysisRow>* rows);

void DecodeIssuerApplicationData(const DecoderInput& in, std::vector<AnalysisRow>* rows);

// Alphanumeric values of the given format kind (FORMAT_A, FORMAT_AN, FORMAT_ANS); `extended`
// also accepts the ISO/IEC 8859 graphic characters A0..FF (texts in the issuer's code table).
void DecodeText(const DecoderInput& in, uint32_t formatKind, bool extended,
                std::vector<AnalysisRow>* rows);

#endif
