#pragma once

// Texts kept enciphered with core::kCipherKey and read through DecipherText; made with
// tools/encipher (velmoor-encipher --pad 110 "..." for the status line).
namespace core {

// The main menu's status line, 110 GBK bytes:
// "Velmoor 驾驶理论考试练习系统    小键盘 * 键进入模拟考试    安全驾驶，文明出行" padded with
// blanks.
inline constexpr char kStatusText[] =
    "0CA672FA0BD75FD1E61ED42CA455EF2AE57FD443A50FE2419576D32444980DD18A62A26BA1740DDB7A7FE22A9C70C6"
    "35F907FC28D872F9D17AE33E27D670864D8709A534C876E932AD70E847B4980DD17AE33EB744980DD17AE33EB74498"
    "0DD17AE33EB744980DD17AE33EB74498";

// The examinee card of the exam instructions: "准考证号：2026120800001".
inline constexpr char kExamCardText[] = "8D7FA12BB21C9734F9792CA7568E1CC36AFB2EA754881C";

} // namespace core
