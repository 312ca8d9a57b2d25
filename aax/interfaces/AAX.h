#pragma once
// Basic types and constants shared by the module and the host: result codes, four-character
// codes, the state-chunk record, stem formats, property IDs and the process-procedure signature.

#include <cstddef>
#include <cstdint>

using AAX_Result = int32_t;
using AAX_CTypeID = uint32_t;        // four-character code
using AAX_CParamID = const char*;    // parameter identifier, NUL-terminated
using AAX_CBoolean = uint8_t;
using AAX_CFieldIndex = int32_t;     // algorithm-context field number
using AAX_CPropertyValue = int32_t;
using AAX_CProcPtrID = uint32_t;     // factory procedure ID
using AAX_CSelector = uint32_t;

// A four-character code: the first character is the most significant byte.
constexpr AAX_CTypeID AAX_FourCC(const char (&s)[5])
{
    return (AAX_CTypeID(uint8_t(s[0])) << 24) | (AAX_CTypeID(uint8_t(s[1])) << 16) |
           (AAX_CTypeID(uint8_t(s[2])) << 8) | AAX_CTypeID(uint8_t(s[3]));
}

// Result codes: 0 is success, the errors run consecutively downward from -20001.
enum AAX_EError : AAX_Result {
    AAX_SUCCESS = 0,
    AAX_ERROR_INVALID_PARAMETER_ID = -20001,
    AAX_ERROR_INVALID_STRING_CONVERSION = -20002,
    AAX_ERROR_INVALID_METER_INDEX = -20003,
    AAX_ERROR_NULL_OBJECT = -20004,
    AAX_ERROR_OLDER_VERSION = -20005,
    AAX_ERROR_INVALID_CHUNK_INDEX = -20006,
    AAX_ERROR_INVALID_CHUNK_ID = -20007,
    AAX_ERROR_INCORRECT_CHUNK_SIZE = -20008,
    AAX_ERROR_UNIMPLEMENTED = -20009,
    AAX_ERROR_INVALID_PARAMETER_INDEX = -20010,
    AAX_ERROR_NOT_INITIALIZED = -20011,
    AAX_ERROR_ACF_ERROR = -20012,
    AAX_ERROR_INVALID_METER_TYPE = -20013,
    AAX_ERROR_CONTEXT_ALREADY_HAS_METERS = -20014,
    AAX_ERROR_NULL_COMPONENT = -20015,
    AAX_ERROR_PORT_ID_OUT_OF_RANGE = -20016,
    AAX_ERROR_FIELD_TYPE_DOES_NOT_SUPPORT_DIRECT_ACCESS = -20017,
    AAX_ERROR_DIRECT_ACCESS_OUT_OF_BOUNDS = -20018,
    AAX_ERROR_FIFO_FULL = -20019,
    AAX_ERROR_INITIALIZING_PACKET_STREAM_THREAD = -20020,
    AAX_ERROR_POST_PACKET_FAILED = -20021,
    AAX_RESULT_PACKET_STREAM_NOT_EMPTY = -20022,
    AAX_RESULT_ADD_FIELD_UNSUPPORTED_FIELD_TYPE = -20023,
    AAX_ERROR_MIXER_THREAD_FALLING_BEHIND = -20024,
    AAX_ERROR_INVALID_FIELD_INDEX = -20025,
    AAX_ERROR_MALFORMED_CHUNK = -20026,
    AAX_ERROR_TOD_BEHIND = -20027,
    AAX_RESULT_NEW_PACKET_POSTED = -20028,
    AAX_ERROR_PLUGIN_NOT_AUTHORIZED = -20029,
    AAX_ERROR_PLUGIN_NULL_PARAMETER = -20030,
    AAX_ERROR_NOTIFICATION_FAILED = -20031,
    AAX_ERROR_INVALID_VIEW_SIZE = -20032,
    AAX_ERROR_SIGNED_INT_OVERFLOW = -20033,
    AAX_ERROR_NO_COMPONENTS = -20034,
    AAX_ERROR_DUPLICATE_EFFECT_ID = -20035,
    AAX_ERROR_DUPLICATE_TYPE_ID = -20036,
    AAX_ERROR_EMPTY_EFFECT_NAME = -20037,
    AAX_ERROR_UNKNOWN_PLUGIN = -20038,
    AAX_ERROR_PROPERTY_UNDEFINED = -20039,
    AAX_ERROR_INVALID_PATH = -20040,
    AAX_ERROR_UNKNOWN_ID = -20041,
    AAX_ERROR_UNKNOWN_EXCEPTION = -20042,
    AAX_ERROR_INVALID_ARGUMENT = -20043,
    AAX_ERROR_NULL_ARGUMENT = -20044,
    AAX_ERROR_INVALID_INTERNAL_DATA = -20045,
    AAX_ERROR_ARGUMENT_BUFFER_OVERFLOW = -20046,
};

// What an exported entry point returns when an exception escaped its body.
constexpr AAX_Result AAX_RESULT_ENTRY_POINT_EXCEPTION = AAX_Result(0x8000FFFF);
// The chunk writer's own failure (data would overflow the data area).
constexpr AAX_Result AAX_RESULT_CHUNK_OVERFLOW = -333;

// Host trace priorities; larger is more important.
enum AAX_ETracePriority : int32_t {
    AAX_eTracePriority_Lowest = 0x1000000,
    AAX_eTracePriority_Low = 0x2000000,
    AAX_eTracePriority_Normal = 0x4000000,
    AAX_eTracePriority_High = 0x8000000,
    AAX_eTracePriority_Critical = 0x10000000,
};

// Stem formats: channel count in the low 16 bits, layout code in the high 16 bits.
enum AAX_EStemFormat : int32_t {
    AAX_eStemFormat_Mono = 0x00000001,
    AAX_eStemFormat_Stereo = 0x00010002,
    AAX_eStemFormat_None = int32_t(0xFF9C0000),  // the host's empty format
};
constexpr int32_t AAX_StemFormatChannelCount(int32_t stem) { return stem & 0xFFFF; }

// Property IDs the module sends; values are plain int32.
enum AAX_EProperty : int32_t {
    AAX_eProperty_ManufacturerID = 11,
    AAX_eProperty_ProductID = 12,
    AAX_eProperty_PlugInID_Native = 13,
    AAX_eProperty_InputStemFormat = 51,
    AAX_eProperty_OutputStemFormat = 52,
    AAX_eProperty_UsesClientGUI = 56,
    AAX_eProperty_CanBypass = 60,
    AAX_eProperty_Meter_Type = 200,
    AAX_eProperty_Meter_Orientation = 201,
    AAX_eProperty_SupportsSaveRestore = 306,
};

// MIDI node types of the algorithm context.
enum AAX_EMIDINodeType : int32_t {
    AAX_eMIDINodeType_LocalInput = 0,
    AAX_eMIDINodeType_LocalOutput = 1,
    AAX_eMIDINodeType_Global = 2,
    AAX_eMIDINodeType_Transport = 3,
};

// View-container types. The native window handle is, on this platform, an X11 Window id.
enum AAX_EViewContainer_Type : int32_t {
    AAX_eViewContainer_Type_NULL = 0,
    AAX_eViewContainer_Type_NSView = 1,
    AAX_eViewContainer_Type_UIView = 2,
    AAX_eViewContainer_Type_HWND = 3,
};

// Notification type the host sends for AudioSuite preview on/off.
constexpr AAX_CTypeID AAX_eNotificationEvent_ASPreviewState = AAX_FourCC("ASPv");

struct AAX_Point {
    float vert;
    float horz;
};

struct AAX_Rect {
    float top, left, width, height;
};

// The host's state-chunk record. Integers are little-endian; the data area of fSize bytes
// follows the 56-byte header.
struct AAX_SPlugInChunkHeader {
    int32_t fSize;
    int32_t fVersion;
    AAX_CTypeID fManufacturerID;
    AAX_CTypeID fProductID;
    AAX_CTypeID fPlugInID;
    AAX_CTypeID fChunkID;
    unsigned char fName[32];
};
static_assert(sizeof(AAX_SPlugInChunkHeader) == 56, "the chunk header is 56 bytes");

struct AAX_SPlugInChunk : AAX_SPlugInChunkHeader {
    unsigned char fData[1];  // the record continues past this for fSize bytes
};

// Start of a chunk's data area, addressed from the record start so no array bound is crossed.
inline unsigned char* AAX_ChunkData(AAX_SPlugInChunk* chunk)
{
    return reinterpret_cast<unsigned char*>(chunk) + sizeof(AAX_SPlugInChunkHeader);
}
inline const unsigned char* AAX_ChunkData(const AAX_SPlugInChunk* chunk)
{
    return reinterpret_cast<const unsigned char*>(chunk) + sizeof(AAX_SPlugInChunkHeader);
}

// The native render procedure: an array of algorithm-context pointers and its end.
using AAX_CProcessProc = void (*)(void* const instancesBegin[], const void* instancesEnd);
using AAX_CInstanceInitProc = int32_t (*)(const void* instanceContext, int32_t action);
using AAX_CBackgroundProc = int32_t (*)();
// A factory procedure registered with the host: creates one host-visible object.
class IACFUnknown;
using AAX_CFactoryProc = IACFUnknown* (*)();
