/*
 * QNRP_REZIDAZE_10: fiscal printer driver library, the interface for host programs.
 *
 * Every command is one function with the same signature:
 *
 *   int16_t COMMAND(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
 *
 * aXml is the request document (for VERSION: a driver name). The library stores
 * into *aOutput the result fragment and into *aErrorMessage the error text (empty
 * on success), both allocated with SysAllocString; the host frees them with
 * SysFreeString. The result is 0 on success and -1 on failure. A null aOutput or
 * aErrorMessage is skipped. Calls are serialised inside the library, so calls from
 * several threads are safe and run one after the other.
 *
 * BSTR is a length-prefixed string: the pointer addresses UTF-16LE text that is
 * terminated by a NUL and preceded by its length in bytes as a 32-bit integer. A
 * null BSTR is the empty string. On Windows these are the strings of oleaut32; on
 * other systems the library exports SysAllocString, SysAllocStringLen,
 * SysStringLen and SysFreeString with the same meaning, and a host allocates its
 * requests and frees the answers with them.
 *
 * A host that loads the library at run time (dlopen/LoadLibrary) can look the
 * functions up by these names and call them through QNRP_CommandFunction.
 */
#ifndef QNRP_REZIDAZE_10_H
#define QNRP_REZIDAZE_10_H

#include <stdint.h>

#if defined(_WIN32)
#include <oleauto.h>
#define QNRP_CALL __stdcall
#define QNRP_EXPORT
#else
#ifndef __cplusplus
#include <uchar.h>
#endif
typedef char16_t OLECHAR;
typedef OLECHAR* BSTR;
#define QNRP_CALL
#define QNRP_EXPORT __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef int16_t(QNRP_CALL* QNRP_CommandFunction)(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);

QNRP_EXPORT int16_t QNRP_CALL PRINTFR(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL PRINTXR(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL PRINTZR(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL PRINTNFR(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL DISPLAY(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL OPENDR(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL GETSTATUS(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL SETDATETIME(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL OPEN(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL CLOSE(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL GETDRSTATUS(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL SET(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL EJREPORT(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL GETVATTABLE(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL SETVATTABLE(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL GETDEPTTABLE(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL SETDEPTTABLE(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL PAY(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL REPRINTFR(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL GETLOTTERYRCPTSTATUS(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
QNRP_EXPORT int16_t QNRP_CALL GETEJFILES(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);
/* aXml is a driver name; *aOutput receives "Version <version> - <dd/mm/yyyy>" when the
 * library has that driver (exact case) and stays empty otherwise. Always returns 0. */
QNRP_EXPORT int16_t QNRP_CALL VERSION(BSTR aXml, BSTR* aOutput, BSTR* aErrorMessage);

#if !defined(_WIN32)
/* The string allocator, with the meaning it has in oleaut32. */
typedef BSTR (*QNRP_SysAllocStringFunction)(const OLECHAR* aText);
typedef BSTR (*QNRP_SysAllocStringLenFunction)(const OLECHAR* aText, uint32_t aLength);
typedef uint32_t (*QNRP_SysStringLenFunction)(BSTR aText);
typedef void (*QNRP_SysFreeStringFunction)(BSTR aText);

/* A copy of the NUL-terminated aText; null for a null aText or when memory runs out. */
QNRP_EXPORT BSTR SysAllocString(const OLECHAR* aText);
/* A string of aLength characters copied from aText (left zeroed when aText is null). */
QNRP_EXPORT BSTR SysAllocStringLen(const OLECHAR* aText, uint32_t aLength);
/* The length in characters (the byte length halved); 0 for null. */
QNRP_EXPORT uint32_t SysStringLen(BSTR aText);
/* Frees a string of SysAllocString/SysAllocStringLen; null is allowed. */
QNRP_EXPORT void SysFreeString(BSTR aText);
#endif

#ifdef __cplusplus
}
#endif

#endif
