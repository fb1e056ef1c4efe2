#pragma once
// Tab 1: how the reader handles iButton keys, and the last key it reported.

#include "app/controls/label.h"
#include "app/decode/ibutton_frame.h"
#include "platform/ui/dialog.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class CDQ450DemoDlg;

inline constexpr int kIButtonPageTemplateId = 138;
inline constexpr int IDC_CARD_NO = 1196;
inline constexpr int IDC_CARD_TEXT = 1205;

// Controls more than one of the page's sources use.
namespace ibutton_page {

inline constexpr int IDC_INTERFACE = 1175;
inline constexpr int IDC_END_CHAR = 1163;
inline constexpr int IDC_END_CHAR_LIST = 1180;
inline constexpr int IDC_END_CHAR_LABEL = 1181;

} // namespace ibutton_page

class CIBtnDlg : public ui::Dialog {
public:
    CIBtnDlg();

    // Loads right after a connection, outside the command bracket, each
    // with 1000 ms; true when the reader answered.
    bool ReadParameters();
    bool ReadDeviceId();
    // The iButton parameter block into the page; returns the reader's result.
    int LoadParameterBlock(int timeoutMs);
    // The device id into the status line (blue) and the device-id label;
    // returns the reader's result.
    int LoadDeviceId(int timeoutMs);

    CDQ450DemoDlg* m_pMainDlg = nullptr;
    CLabel m_lblCardNo; // hex view of the last key
    // The last key in hex on the card-number label and as characters in
    // edit 1205, both in the frame's colour.
    void ShowCardView(const IButtonView& view);
    ui::Color m_crCardText = ui::Rgb(200, 0, 0); // text colour of edit 1205

protected:
    bool OnInitDialog() override;

    // ---- Commands: the reader buttons and the end-character list ----
private:
    void BindCommandHandlers();

    void OnDetectDevice();
    void OnSetInterface();
    void OnSetEnable();
    void OnSetEndChar();
    void OnSetDataFilter();
    void OnSetWithdraw();
    void OnSetPrefixSuffix();
    void OnApplyOption();
    void OnRestoreDefault();
    void OnGetParameter();
    void OnGetDeviceId();
    void OnSelChangeEndChar();

    uint8_t InterfaceFormatByte() const;
    uint8_t EnableByte() const;

    // A value taken from the controls; an input error is already reported
    // when it comes back.
    enum class Entry { Read, NoSelection, InputError };
    Entry ReadEndChar(uint8_t& endChar);
    Entry ReadDataFilter(uint8_t& start, uint8_t& end);
    // The edit's two hex characters as a byte; none after an input error,
    // string lengthErrorStringId for a text of another length.
    std::optional<uint8_t> ReadHexByte(int editId, int lengthErrorStringId);

    // The edit's text as the reader's bytes, one per character; a character
    // the reader cannot take is reported as an input error and none comes
    // back.
    std::optional<std::string> ReadEditBytes(int editId);

    // The message in red in the status line, the focus to edit focusId (none
    // for 0); no box.
    void ReportInputError(std::string_view message, int focusId);

    std::string m_strMsg; // the last input-error text
    // ---- end of commands ----
};
