// Scalar types, IDs, values and records of the host's binary interface.
// Field widths are those of Win32 on every build: 32-bit integers are
// int32_t/uint32_t (never long), pointers take their native size.
#pragma once

#include <cstdint>
#include <cstring>

#if defined(_WIN32)
#define MOA_STDCALL __stdcall
#else
#define MOA_STDCALL
#endif

using MoaError = int32_t;
using MoaLong = int32_t;
using MoaUlong = uint32_t;
using MoaBool = uint8_t;
using MoaBoolParam = uint32_t;
using MoaDouble = double;
using MoaFloat = float;
using MoaChar = char;
using MoaMmSymbol = int32_t;
using MoaMmValueType = int32_t;
using MoaDictTypeID = uint32_t;
using MoaDrCastIndex = int32_t;
using MoaDrMemberIndex = int32_t;
using MoaMmHWnd = void*;
using MoaMmHInst = void*;

struct MoaID {
    uint32_t data1;
    uint16_t data2;
    uint16_t data3;
    uint8_t data4[8];
};
static_assert(sizeof(MoaID) == 16, "a MoaID is 16 bytes");

using MoaClassID = MoaID;
using MoaInterfaceID = MoaID;
using MoaNotifyID = MoaID;

inline bool MoaEqualID(const MoaID& a, const MoaID& b) {
    return std::memcmp(&a, &b, sizeof(MoaID)) == 0;
}

inline constexpr MoaID IID_NULL_MOA = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

#pragma pack(push, 2)

// Opaque to the Xtra: only the host reads the fields.
struct MoaMmValue {
    MoaLong ty;
    MoaLong it;
};
static_assert(sizeof(MoaMmValue) == 8, "a host value is 8 bytes");

struct MoaMmCallInfo {
    void* xinst;
    MoaLong methodFlags;
    MoaLong methodSelector;  // 0-based number of the method's line
    MoaMmValue resultValue;
    MoaLong nargs;           // counts pArgs[0], the object itself
    MoaMmValue* pArgs;
};

struct MoaDrMediaInfo {
    MoaMmSymbol labelSymbol;
    MoaMmSymbol formatSymbol;
    void* mediaData;
    MoaLong options;
    void* aux;
    void* refCon;
};

#pragma pack(pop)

// Handler-call context; opaque, the caller allocates it.
struct DrContextState {
    MoaLong opaque[4];
};
static_assert(sizeof(DrContextState) == 16, "DrContextState is four words");

// ValueType codes.
enum : MoaMmValueType {
    kMoaMmValueType_Void = 0,
    kMoaMmValueType_Integer = 1,
    kMoaMmValueType_Symbol = 2,
    kMoaMmValueType_String = 3,
    kMoaMmValueType_Object = 4,
    kMoaMmValueType_Float = 6,
    kMoaMmValueType_List = 7,
    kMoaMmValueType_PropList = 10,
    kMoaMmValueType_Other = 21,
};

// Registry dictionary type codes.
enum : MoaDictTypeID {
    kMoaDictType_Bool = 6,
    kMoaDictType_CString = 9,
};

inline constexpr const char* kMoaMmDictKey_MessageTable = "msgTable";
inline constexpr const char* kMoaMmDictKey_SafeForShockwave = "safeForShockwave";

// Result codes.
inline constexpr MoaError kMoaErr_NoErr = 0;
inline constexpr MoaError kMoaErr_BadParam = static_cast<MoaError>(0x80040001);
inline constexpr MoaError kMoaErr_OutOfMem = static_cast<MoaError>(0x80040002);
inline constexpr MoaError kMoaErr_XtraInUse = static_cast<MoaError>(0x80040003);
inline constexpr MoaError kMoaErr_BadInterface = static_cast<MoaError>(0x80040004);
inline constexpr MoaError kMoaErr_BadClass = static_cast<MoaError>(0x80040005);
inline constexpr MoaError kMoaErr_NoSuchKey = static_cast<MoaError>(0x80040013);
inline constexpr MoaError kMoaErr_InternalError = static_cast<MoaError>(0x80040014);
inline constexpr MoaError kMoaDictErr_NotFound = static_cast<MoaError>(0x8004002A);
inline constexpr MoaError kMoaMmErr_PropertyNotFound = static_cast<MoaError>(0x800407D5);
inline constexpr MoaError kMoaMmErr_ArgOutOfRange = static_cast<MoaError>(0x800407D8);
inline constexpr MoaError kMoaMmErr_IntegerExpected = static_cast<MoaError>(0x800407D9);
inline constexpr MoaError kMoaMmErr_SymbolExpected = static_cast<MoaError>(0x800407DA);
inline constexpr MoaError kMoaMmErr_FloatExpected = static_cast<MoaError>(0x800407DB);
inline constexpr MoaError kMoaMmErr_StringExpected = static_cast<MoaError>(0x800407DC);
inline constexpr MoaError kMoaMmErr_FunctionNotFound = static_cast<MoaError>(0x800407DF);
inline constexpr MoaError kMoaMmErr_ValueTypeMismatch = static_cast<MoaError>(0x800407EF);
inline constexpr MoaError kMoaDrErr_MediaFormatNotSupported = static_cast<MoaError>(0x80040BBC);
inline constexpr MoaError kMoaDrErr_CastNotFound = static_cast<MoaError>(0x80040BC4);
inline constexpr MoaError kMoaDrErr_CastMemNotFound = static_cast<MoaError>(0x80040BC5);
inline constexpr MoaError kMoaDrErr_HandlerNotDefined = static_cast<MoaError>(0x80040BC9);
inline constexpr MoaError kMoaDrErr_MovieNotOpen = static_cast<MoaError>(0x80040BCA);
