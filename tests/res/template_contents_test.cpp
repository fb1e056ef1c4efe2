// What the program's code relies on in each template: the controls it reaches
// by id with their kinds, the combo items it selects by index, the styles the
// controls start with, and the captions it reads back into messages.

#include "res/resource.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace res_test {
namespace {

using res::ControlKind;
using res::ControlTemplate;
using res::DialogTemplate;
using enum ControlKind;

const DialogTemplate& Dialog(int id) {
    const DialogTemplate* dialog = res::FindDialogTemplate(id);
    if (dialog == nullptr) {
        ADD_FAILURE() << "no template " << id;
        static const DialogTemplate kNone{};
        return kNone;
    }
    return *dialog;
}

const ControlTemplate* Control(int dialogId, int controlId) {
    for (const ControlTemplate& control : Dialog(dialogId).controls) {
        if (control.id == controlId) {
            return &control;
        }
    }
    return nullptr;
}

struct KindCase {
    int dialog;
    ControlKind kind;
    std::vector<int> ids;
};

const KindCase kKindCases[] = {
    {100, HyperLink, {1305}},
    {100, DefPushButton, {1}},
    {102, GroupBox, {1025}},
    {102, PushButton, {1002, 1003, 1295, 1296}},
    {102, Static, {1049, 1050, 1052, 1203, 1204, 1297, 1298}},
    {102, ComboDropDown, {1293}},
    {102, ComboDropList, {1248, 1294}},
    {102, RadioButton, {1291, 1292}},
    {102, Tab, {1053}},
    {130,
     GroupBox,
     {1029, 1030, 1041, 1043, 1048, 1054, 1064, 1065, 1069, 1071, 1074, 1076, 1077, 1078, 1080,
      1155, 1156}},
    {130, Static, {1025, 1031, 1032, 1033, 1034, 1035, 1036, 1037, 1038, 1039,
                   1040, 1044, 1063, 1066, 1067, 1070, 1073, 1079, 1082, 1154}},
    {130, ComboDropList, {1006, 1007, 1014, 1018, 1024, 1058, 1144, 1246, 1339}},
    {130,
     CheckBox,
     {1015, 1016, 1017, 1051, 1052, 1083, 1084, 1085, 1086, 1087, 1088, 1146, 1150, 1151, 1152,
      1153, 1335}},
    {130,
     Edit,
     {1008, 1009, 1010, 1011, 1012, 1013, 1019, 1060, 1061, 1062, 1072, 1075, 1081, 1148, 1336}},
    {130,
     PushButton,
     {1004, 1005, 1020, 1021, 1023, 1045, 1046, 1047, 1068, 1143, 1147, 1149, 1247}},
    {131, GroupBox, {1074, 1075}},
    {131, Edit, {1069, 1071}},
    {131, PushButton, {1070, 1072, 1073}},
    {138, GroupBox, {1182, 1183, 1184, 1186, 1187, 1188}},
    {138, Static, {1181, 1185, 1189, 1190, 1191, 1192, 1195, 1196, 1197}},
    {138, Edit, {1160, 1161, 1163, 1164, 1168, 1169, 1205}},
    {138, ComboDropList, {1175, 1176, 1177, 1178, 1179, 1180}},
    {138, PushButton, {1157, 1158, 1162, 1165, 1166, 1167, 1170, 1171, 1172, 1173, 1174}},
    {143, Edit, {1197, 1198}},
    {143, ListBox, {1199}},
    {143, PushButton, {1200, 1201}},
    {143, CheckBox, {1202}},
    {146, GroupBox, {1210, 1211}},
    {146, Edit, {1206, 1207, 1208, 1209}},
    {146, PushButton, {1073, 1232, 1245, 1246, 1247, 1254, 1256}},
    {146, Static, {1097, 1098, 1099, 1100, 1101, 1102, 1103, 1104, 1105, 1106, 1107, 1108,
                   1109, 1110, 1111, 1112, 1113, 1114, 1115, 1116, 1131, 1153, 1154, 1155,
                   1156, 1157, 1158, 1159, 1160, 1161, 1162, 1212, 1213, 1214, 1215, 1216,
                   1217, 1218, 1219, 1220, 1221, 1222, 1223, 1224, 1225, 1226, 1227, 1228,
                   1229, 1230, 1231, 1233, 1234, 1235, 1236, 1237, 1238, 1239, 1240, 1241,
                   1242, 1243, 1244, 1248, 1249, 1250, 1251, 1252, 1253, 1304, 1305, 1306}},
    {165,
     CheckBox,
     {1306, 1313, 1314, 1315, 1316, 1317, 1318, 1319, 1320, 1321, 1322, 1323, 1324, 1328, 1329}},
    {165, Edit, {1307, 1308, 1309, 1310, 1311, 1312, 1330, 1331}},
    {165, ComboDropList, {1326}},
    {165, PushButton, {1327, 1334, 1335, 1336, 1337}},
    {165, RadioButton, {1332, 1333}},
};

TEST(TemplateContents, NamedControlsAreExactlyTheOnesTheProgramReaches) {
    // Kinds as numbers, so a mismatch prints readably.
    std::map<int, std::map<int, int>> expected;
    for (const KindCase& c : kKindCases) {
        for (int id : c.ids) {
            EXPECT_TRUE(expected[c.dialog].emplace(id, static_cast<int>(c.kind)).second)
                << c.dialog << "/" << id;
        }
    }
    for (const auto& [dialogId, controls] : expected) {
        SCOPED_TRACE(dialogId);
        std::map<int, int> actual;
        for (const ControlTemplate& control : Dialog(dialogId).controls) {
            if (control.id != -1) {
                actual.emplace(control.id, static_cast<int>(control.kind));
            }
        }
        EXPECT_EQ(actual, controls);
    }
}

struct ComboCase {
    int dialog;
    int combo;
    size_t count;
    size_t index;
    const char* itemEn;
    const char* itemZh;
};

const ComboCase kComboCases[] = {
    {102, 1293, 9, 8, "com9", "com9"},
    {102, 1294, 5, 1, "9600", "9600"},
    {102, 1248, 2, 0, "Simplified Chinese", "简体中文"},
    {102, 1248, 2, 1, "English", "英语"},
    {130, 1006, 2, 1, "HID Custom", "HID Custom"},
    {130, 1007, 2, 1, "Binary", "Binary"},
    {130, 1014, 2, 1, "command mode", "命令模式"},
    {130, 1018, 4, 2, "Sel-define", "Sel-define"},
    {130, 1058, 4, 1, " Only output card number", "只输出卡号"},
    {130, 1246, 7, 4, "Spanish (International Standards)", "西班牙语(国际标准)"},
    {130, 1246, 7, 6, " Hebrew", "希伯来语"},
    {130, 1339, 2, 1, "single char", "单个字符"},
    {138, 1175, 2, 0, "keyBoard", "keyBoard"},
    {138, 1176, 2, 1, "dec mode", "dec mode"},
    {138, 1177, 2, 1, "enable ibutton code", "enable ibutton code"},
    {138, 1178, 2, 0, "disable ibutton crc", "disable ibutton crc"},
    {138, 1179, 2, 1, "enable buzzer", "enable buzzer"},
    {138, 1180, 4, 3, "null", "null"},
    {165, 1326, 5, 4, "115200", "115200"},
};

TEST(TemplateContents, ComboListsHoldTheItemsTheCodeSelectsByIndex) {
    for (const ComboCase& c : kComboCases) {
        SCOPED_TRACE(testing::Message() << c.dialog << "/" << c.combo << " item " << c.index);
        const res::ComboList* list = nullptr;
        for (const res::ComboList& combo : Dialog(c.dialog).combos) {
            if (combo.id == c.combo) {
                list = &combo;
            }
        }
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->itemsEn.size(), c.count);
        ASSERT_EQ(list->itemsZh.size(), c.count);
        EXPECT_STREQ(list->itemsEn[c.index], c.itemEn);
        EXPECT_STREQ(list->itemsZh[c.index], c.itemZh);
    }
}

TEST(TemplateContents, ListsTheCodeFillsItselfStartEmpty) {
    for (int dialogId : {100, 131, 143, 146}) {
        EXPECT_TRUE(Dialog(dialogId).combos.empty()) << dialogId;
    }
    for (const res::ComboList& combo : Dialog(130).combos) {
        EXPECT_NE(combo.id, 1024);
        EXPECT_NE(combo.id, 1144);
    }
}

struct StyleCase {
    int dialog;
    std::vector<int> ids;
    uint32_t style;
};

const StyleCase kStyleCases[] = {
    {102, {1050, 1052, 1204}, res::kSunken | res::kCentre},
    {130, {1019, 1148, 1336}, res::kUpperCase},
    {130, {1019, 1040, 1144, 1154}, res::kHidden},
    {130, {1005, 1020}, res::kMultiline},
    {131, {1069}, res::kUpperCase},
    {131, {1071}, res::kMultiline | res::kVScroll},
    {138, {1163, 1168, 1169}, res::kUpperCase},
    {138, {1177, 1178, 1179}, res::kSort},
    {138, {1196}, res::kSunken | res::kCentre},
    {143, {1197, 1198}, res::kUpperCase | res::kCentre},
    {146, {1206}, res::kMultiline | res::kVScroll},
    {146, {1207, 1208, 1209}, res::kReadOnly | res::kMultiline | res::kVScroll},
    {146, {1235, 1236, 1239, 1240, 1243, 1244, 1253}, res::kSunken | res::kCentre},
    {146, {1218, 1219, 1231}, res::kSunken | res::kRight},
    {165, {1330, 1331, 1332, 1333}, res::kDisabled},
};

TEST(TemplateContents, ControlsStartWithTheStylesTheCodeExpects) {
    for (const StyleCase& c : kStyleCases) {
        for (int id : c.ids) {
            SCOPED_TRACE(testing::Message() << c.dialog << "/" << id);
            const ControlTemplate* control = Control(c.dialog, id);
            ASSERT_NE(control, nullptr);
            EXPECT_EQ(control->style & c.style, c.style);
        }
    }
    // Only the iButton page's enable lists sort; every other list is taken by position.
    for (int dialogId : res::DialogTemplateIds()) {
        for (const ControlTemplate& control : Dialog(dialogId).controls) {
            const bool sortedList = dialogId == 138 && control.id >= 1177 && control.id <= 1179;
            EXPECT_EQ((control.style & res::kSort) != 0, sortedList)
                << dialogId << "/" << control.id;
        }
    }
}

TEST(TemplateContents, EditsCarryTheirTemplateLimits) {
    const struct {
        int dialog;
        std::vector<int> ids;
        int limit;
    } cases[] = {
        {143, {1197, 1198}, 4},
        {165, {1307, 1308, 1309, 1310, 1311, 1312}, 1},
        {165, {1330, 1331}, 30},
    };
    for (const auto& c : cases) {
        for (int id : c.ids) {
            const ControlTemplate* control = Control(c.dialog, id);
            ASSERT_NE(control, nullptr) << id;
            EXPECT_EQ(control->textLimit, c.limit) << c.dialog << "/" << id;
        }
    }
}

// Result messages start with the caption of the button that was clicked, and
// the main dialog shows these texts until the program writes its own.
TEST(TemplateContents, CaptionsReadBackByTheProgram) {
    const struct {
        int dialog;
        int id;
        const char* textEn;
        const char* textZh;
    } cases[] = {
        {102, 1050, "no device connected!!", "设备尚未连接"},
        {102, 1052, "display version information", "显示版本信息"},
        {130, 1005, "applicate Interface and format", "设置接口和数据格式"},
        {130, 1021, "Buzzer Cotnrol", "蜂鸣器控制"},
        {138, 1166, "Applicate Enable parameter", "设置Enable参数"},
        {146, 1256, "Manual read card", "手动读卡"},
        {146, 1219, "0.00", "0.00"},
        {146, 1235, "%", "%"},
        {165, 1336, "applcate current option", "applcate current option"},
        {165, 1327, "set baudrate", "set baudrate"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dialog << "/" << c.id);
        const ControlTemplate* control = Control(c.dialog, c.id);
        ASSERT_NE(control, nullptr);
        EXPECT_STREQ(control->textEn, c.textEn);
        EXPECT_STREQ(control->textZh, c.textZh);
    }
}

} // namespace
} // namespace res_test
