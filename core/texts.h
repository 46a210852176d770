// Every word the program shows, in the language it speaks: Japanese, compiled into code page
// 932. Line breaks are part of a text: some use CR LF, others LF CR. The taskbar's own
// captions that the program looks for are not here: they are the taskbar's words.
#pragma once

inline constexpr char kProductName[] = "ヴェルトリン";
inline constexpr char kAboutDescription[] = "通知領域を自由に動かせるウィンドウにします";
inline constexpr char kOwnerWindowTitle[] =
    "タスクバーにヴェルトリンのボタンを表示させない為の物で処理内容は何も無し。";

// Start and end.
inline constexpr char kRunningCopyText[] = "既に起動しているヴェルトリンを\n\r終了してから起動します。";
inline constexpr char kRunningCopyStuckText[] = "起動しているヴェルトリンが終了しませんので\r\n起動を中止します。";
inline constexpr char kNoNotifyAreaText[] = "タスクトレイを取得出来ませんでしたので起動を中止します。";
inline constexpr char kWaitText[] = "終了処理中です。\r\nしばらくお待ち下さい。";

// The popup menu.
inline constexpr char kMenuOptions[] = "オプション";
inline constexpr char kMenuHelp[] = "ヘルプ";
inline constexpr char kMenuVersion[] = "バージョン情報";
inline constexpr char kMenuExit[] = "終了";

// Help.
inline constexpr char kHelpChoiceText[] = "help.txtがありますが\r\nWeb上のヘルプファイルを表示しますか？";
inline constexpr char kNoHelpFileText[] = "help.txtが見つからなかったので\r\nWeb上のヘルプファイルを表示します。";

// The options window.
inline constexpr char kOptionsTitle[] = "オプション";
inline constexpr char kCancelLabel[] = "キャンセル";
inline constexpr char kDefaultsLabel[] = "デフォルト値に戻す";
inline constexpr char kSensingGroupLabel[] = "カーソル感知";
inline constexpr const char* kHotkeyGroupLabels[3] = {"ヴェルトリンの表示・非表示用ホットキー",
                                                      "タイトルバー表示・非表示用ホットキー",
                                                      "通知領域アイコン表示・非表示用ホットキー"};
inline constexpr char kEdgeTopLabel[] = "上";
inline constexpr char kEdgeDownLabel[] = "下";
inline constexpr char kEdgeLeftLabel[] = "左";
inline constexpr char kEdgeRightLabel[] = "右";
inline constexpr char kFlatLabel[] = "タスクトレイをフラットにする";
inline constexpr char kHideLabel[] = "非アクティブ時に常に非表示";
inline constexpr char kReSizeLabel[] = "縦横一列表示にタスクトレイの状態に合わせてリサイズする";
inline constexpr char kAlphaLabel[] = "ウィンドウの透過度";
inline constexpr char kNoKeyLabel[] = "なし";
inline constexpr char kNoWayBackText[] =
    "この設定ではヴェルトリンが非表示になった後\n\r二度とヴェルトリンが表示出来なくなりますので\n\r"
    "カーソル感知設定を変更前に戻します。";
// Followed by the keys that OK could not write.
inline constexpr char kNotSavedText[] = "設定をvelt.iniに保存できませんでした。\r\n";
inline constexpr char kHotkeyTakenText[] =
    "既に他のソフトで設定されているか\n\rホットキーの設定が重複しています。\n\r再設定をお願いします。";
inline constexpr char kShiftKeypadText[] = "装飾キーにShiftキーを設定している場合は\n\rテンキーでの操作が無効になります。";
inline constexpr char kShortcutClashText[] =
    "この設定ではCtrl+CやWin+Fの様なショートカットキーと\n\r重複する可能性があります。\n\r"
    "このまま設定しますか？\n\r設定した場合は重複しているショートカットキーが\n\r使えなくなります。";

// The version window.
inline constexpr char kVersionTitle[] = "バージョン情報";

// The clock's tooltip: year, month, day, then the weekday after LF CR.
inline constexpr char kClockTipFormat[] = "%u年%u月%u日\n\r%s曜日";
inline constexpr const char* kWeekdayNames[7] = {"日", "月", "火", "水", "木", "金", "土"};
