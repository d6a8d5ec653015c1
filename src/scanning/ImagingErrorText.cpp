#include "ImagingErrorText.h"

QString ImagingErrorText(int16_t number)
{
    const char* text = nullptr;
    if (number >= 20030 && number <= 20062)
        text = "Internal Error - Call LEAD";
    else if (number >= 20074 && number <= 20077)
        text = "Premature end-of-line code";
    else {
        switch (number) {
        case 20000:
            text = "General failure";
            break;
        case 20001:
            text = "Not enough memory available";
            break;
        case 20002:
            text = "Invalid bitmap handle";
            break;
        case 20003:
            text = "Not enough memory available";
            break;
        case 20004:
            text = "Error seeking to position";
            break;
        case 20005:
            text = "Error writing file";
            break;
        case 20006:
            text = "File not present - abort";
            break;
        case 20007:
            text = "Error reading file";
            break;
        case 20008:
            text = "Invalid filename specified";
            break;
        case 20009:
            text = "Invalid file format";
            break;
        case 20010:
            text = "File not found";
            break;
        case 20011:
            text = "Invalid width/height";
            break;
        case 20012:
            text = "Image format recognized, but sub-type not supported";
            break;
        case 20013:
            text = "Invalid parmameter passed";
            break;
        case 20014:
            text = "Not able to open file";
            break;
        case 20015:
            text = "Unknown compression format";
            break;
        case 20017:
            text = "VGA card only supports 256 colors (8 bit)";
            break;
        case 20018:
            text = "Printer error";
            break;
        case 20019:
            text = "Data CRC check error";
            break;
        case 20021:
            text = "Invalid QFactor specified";
            break;
        case 20022:
            text = "TARGA not installed";
            break;
        case 20023:
            text = "Invalid compression format";
            break;
        case 20024:
            text = "X origin specified invalid";
            break;
        case 20025:
            text = "Y origin specified invalid";
            break;
        case 20026:
            text = "Invalid video mode";
            break;
        case 20027:
            text = "Invalid bits/pixel";
            break;
        case 20028:
            text = "Invalid window size";
            break;
        case 20029:
            text = "Escape key pressed";
            break;
        case 20063:
        case 20064:
            text = "Fixed palette data not found";
            break;
        case 20065:
            text = "Stamp not found";
            break;
        case 20070:
            text = "Invalid group 3 code";
            break;
        case 20071:
            text = "Group3 code end of file";
            break;
        case 20072:
            text = "Group3 code end of code";
            break;
        case 20073:
            text = "Premature EOF at scanline";
            break;
        case 20078:
            text = "Bad version number";
            break;
        case 20079:
            text = "Twain source manager not found";
            break;
        case 20080:
            text = "Twain Canceled by user or unknown causes";
            break;
        case 20081:
            text = "Twain not enough memory to perform operation";
            break;
        case 20082:
            text = "Twain no Data Source";
            break;
        case 20083:
            text = "Twain DS is connected to max possible apps";
            break;
        case 20084:
            text = "Twain DS or DSM reported error, app shouldn't";
            break;
        case 20085:
            text = "Twain unknown capability";
            break;
        case 20086:
            text = "Twain unrecognized MSG DG DAT combination";
            break;
        case 20087:
            text = "Twain data parameter out of range";
            break;
        case 20088:
            text = "Twain DG DAT MSG out of expected sequence";
            break;
        case 20089:
            text = "Twain unknown destination App/Src in DSM_Entry";
            break;
        case 20090:
            text = "Twain operation was cancelled";
            break;
        // Our own acquisition errors (ScannerErrors.h).
        case 20091:
            text = "Scanner library could not be started";
            break;
        case 20092:
            text = "Scanner named in settings not found";
            break;
        case 20093:
            text = "Scanner is busy";
            break;
        case 20094:
            text = "Scanner paper jam";
            break;
        case 20095:
            text = "No answer sheet in scanner";
            break;
        case 20096:
            text = "Scanner cover is open";
            break;
        case 20097:
            text = "Scanner input/output error";
            break;
        case 20098:
            text = "Scanner access denied";
            break;
        case 20099:
            text = "Scanner operation not supported";
            break;
        case 20100:
            text = "Scanner setting refused";
            break;
        case 20101:
            text = "Scanner image format not supported";
            break;
        case 20102:
            text = "Scanner returned an empty page";
            break;
        case 20103:
            text = "Scanner page smaller than the answer sheet";
            break;
        default:
            break;
        }
    }
    return text ? QString::fromLatin1(text) : QString();
}
