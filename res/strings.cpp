// The string table: texts the program loads by id, in English and Simplified
// Chinese, exactly as the program shows them (odd spellings and trailing blanks
// included).

#include "res/resource.h"

namespace res {
namespace {

struct StringEntry {
    int id;
    const char* textEn;
    const char* textZh;
};

// In 115 the English "rn" are plain letters, not line breaks.
constexpr StringEntry kStrings[] = {
    {101, "about TXV...", "关于 TXVK418K..."},
    {102, "TXV-USB parameters", "TXV-USB参数设置"},
    {103, "TXV HIDCustom mode test", "TXV HIDCustom模式测试"},
    {104, "IButton parameter", "IButton参数设置"},
    {105, "USB command", "USB 命令"},
    {106, "Card swipe test", "刷卡测试"},
    {107, "success", "成功"},
    {108, "failed", "失败"},
    {109, "device not conneted", "读卡器未连接   "},
    {110, "device's name", "设备名称："},
    {111, "connected device failed", "读卡器连接失败"},
    {112, "TXV connected device successfully", "TXV418K读卡器连接成功"},
    {113, "detect fireware version failed", "检测读卡器版本失败"},
    {114, "get device's id failed", "获取设备ID失败"},
    {115,
     "No devicern[1] was detected. Please confirm that the corresponding device is connected, and "
     "callrn[2] to confirm that the corresponding PID and VID are correct.",
     "没有检测到设备\r\n[1] 请确认对应的设备，已经接好，并且上电\r\n[2] "
     "请确认对应的PID和VID是否正确"},
    {116,
     "Hid device has been opened. Please close the device before opening the corresponding new "
     "device.",
     "Hid设备已经打开，请先关闭设备，然后才能打开对应的新设备"},
    {117, "disconected device failed", "断开读卡器成功"},
    {118, "command executed successfully", "命令执行成功"},
    {119, "command executed failed", "命令执行失败"},
    {120, "must input track start sentinel and end sentinel", "必须输入轨道的起始和结束符号"},
    {121, "if you chose self-define start-char, you must input it(HEX)",
     "如果选择了自定义结束符，必须输入自定义结束符号"},
    {122, "if you chose self-define end-char, you must input it(HEX)",
     "如果选择了自定义结束符，必须输入自定义结束符号(十六进制)"},
    {123, "please input hex data, such as (0A 0B）", "请输入十六进制数，例如 (0A 0B）"},
    {124, "must choose one decode mode", "必须选择一种解码模式"},
    {125, "read comand was active, please swipe your card....", "读卡命令发送成功，请刷卡...."},
    {126, "end-char must greater than start-char", "结束字符必须大于起始字符"},
    {127, "receive data successfully", "接收数据成功"},
    {128, "receive data failed", "接收数据失败"},
    {129, "After the language is set up, please run the software again.",
     "语言设置完毕，请您重新运行软件"},
    {130, "Check the success of the card reader version", "监测读卡器版本成功"},
    {131, "Failed to find card reader", "查找读卡器失败"},
    {132, "TXV-COM parameter", "TXV-串口参数设置"},
    {133, "open port", "打开串口"},
    {134, "close port", "关闭串口"},
    {135,
     "Failed to open serial port \r\n[1] Please confirm whether the serial port is correct \r\n[2] "
     "Please confirm whether the serial port has been occupied.",
     "打开串口失败\r\n[1]请确认串口是否正确\r\n[2]请确认串口，是否已经被占用"},
    {136, "transparent mode", "透明传输"},
    {137, "protocol mode", "协议传输"},
    {138, "com port device", "串口设备"},
};

} // namespace

const char* LoadResString(int id, Language language) {
    for (const StringEntry& entry : kStrings) {
        if (entry.id == id) {
            return language == Language::Chinese ? entry.textZh : entry.textEn;
        }
    }
    return "";
}

} // namespace res
