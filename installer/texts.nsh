; The setup's own texts in English and Japanese (after MUI_LANGUAGE, which defines the language ids).
!macro TKT_TEXT NAME EN JA
  LangString ${NAME} ${LANG_ENGLISH} "${EN}"
  LangString ${NAME} ${LANG_JAPANESE} "${JA}"
!macroend

!macro TKT_TEXTS
  !insertmacro TKT_TEXT ClockLink "${CLOCK_LINK_EN}" "${CLOCK_LINK_JA}"
  !insertmacro TKT_TEXT DesignerLink "${DESIGNER_LINK_EN}" "${DESIGNER_LINK_JA}"

  !insertmacro TKT_TEXT ModeTitle "Installation type" "インストールの種類"
  !insertmacro TKT_TEXT ModeSubtitle "Choose who Tocktide is installed for." \
      "ﾄｯｸﾀｲﾄﾞを使う人を選んで下さい。"
  !insertmacro TKT_TEXT ModeMe "&Just for me (recommended; no administrator rights needed)" \
      "自分だけ(&J) (推奨。管理者の権限は要りません)"
  !insertmacro TKT_TEXT ModeAll "&Everybody on this computer (needs administrator rights)" \
      "このコンピューターのすべてのユーザー(&E) (管理者の権限が要ります)"
  !insertmacro TKT_TEXT ModeAllNote \
      "Installed for everybody, Tocktide goes into Program Files. So that everybody can make a face with the designer, the Users group may then add files to the program folder and change its settings file tkt.ini. Every user shares that one face." \
      "すべてのユーザー用には Program Files にインストールします。だれでも文字盤ﾂｰﾙで文字盤を作れるように、Users グループに program フォルダーへのファイル追加と設定ファイル tkt.ini の変更を許可します。文字盤は全員で共通になります。"
  !insertmacro TKT_TEXT ElevationFailed "Setup could not start with administrator rights." \
      "管理者の権限でセットアップを開始できませんでした。"
  !insertmacro TKT_TEXT NotAnsiFolder \
      "The folder name has characters that this system's character set (ANSI code page) cannot hold. The clock reads its settings in that character set and could not find its pictures there. Please choose another folder." \
      "フォルダー名に、このシステムの文字コードで表せない文字が含まれています。時計は設定ファイルをその文字コードで読むため、そこでは絵柄を見つけられません。別のフォルダーを選んで下さい。"
  !insertmacro TKT_TEXT CloseRunning \
      "Tocktide (the clock or the face designer) is running. Press OK to close it and go on." \
      "ﾄｯｸﾀｲﾄﾞ (時計または文字盤ﾂｰﾙ) が実行中です。OK を押すと終了させて続けます。"
  !insertmacro TKT_TEXT StillRunning "Tocktide could not be closed. Please close it and try again." \
      "ﾄｯｸﾀｲﾄﾞを終了できませんでした。終了させてからやり直して下さい。"
  !insertmacro TKT_TEXT IniKept "Keeping the existing settings file program\tkt.ini (your clock face)." \
      "既存の設定ファイル program\tkt.ini (あなたの文字盤) をそのまま使います。"
  !insertmacro TKT_TEXT IniFailed "The settings file could not be written:" \
      "設定ファイルを書き込めませんでした:"
  !insertmacro TKT_TEXT AclFailed \
      "Could not allow the Users group to change program\tkt.ini; only administrators can save faces." \
      "Users グループに program\tkt.ini の変更を許可できませんでした。文字盤を保存できるのは管理者だけです。"
  !insertmacro TKT_TEXT PaintChipFailed "PAINTCHIP.OCX could not be registered" \
      "PAINTCHIP.OCX を登録できませんでした"
  !insertmacro TKT_TEXT PaintChipUnregFailed "PAINTCHIP.OCX could not be unregistered" \
      "PAINTCHIP.OCX の登録を解除できませんでした"
  !insertmacro TKT_TEXT RunClock "&Start the clock" "時計を起動する(&S)"

  !insertmacro TKT_TEXT SecMain "Tocktide (clock, face designer, Start menu)" \
      "ﾄｯｸﾀｲﾄﾞ (時計、文字盤ﾂｰﾙ、スタートメニュー)"
  !insertmacro TKT_TEXT SecMainInfo \
      "The clock, the face designer, the four sample faces, the cuckoo call and the help page, with Start menu shortcuts." \
      "時計、文字盤ﾂｰﾙ、４つのサンプル文字盤、鳩の声とヘルプ。スタートメニューにショートカットを作ります。"
  !insertmacro TKT_TEXT SecDesktop "Desktop shortcut" "デスクトップのショートカット"
  !insertmacro TKT_TEXT SecDesktopInfo "A shortcut to the clock on the desktop." \
      "デスクトップに時計のショートカットを作ります。"
  !insertmacro TKT_TEXT SecStartup "Start the clock when signing in" "サインイン時に時計を起動"
  !insertmacro TKT_TEXT SecStartupInfo "Puts a shortcut to the clock into the Startup folder." \
      "スタートアップ フォルダーに時計のショートカットを置きます。"
  !insertmacro TKT_TEXT SecPaintChip "PaintChip colour button control" "PaintChip カラーボタン コントロール"
  !insertmacro TKT_TEXT SecPaintChipInfo \
      "PAINTCHIP.OCX, an ActiveX control for other programs. Registered only when installed for everybody." \
      "他のプログラム用の ActiveX コントロール PAINTCHIP.OCX。すべてのユーザー用のインストールでだけ登録します。"

  !insertmacro TKT_TEXT AskRemovePosition \
      "Also remove the clock position you recorded (Tocktide's entry in your user settings)?" \
      "記録した時計の位置 (ユーザー設定にある ﾄｯｸﾀｲﾄﾞ の項目) も削除しますか？"
  !insertmacro TKT_TEXT IniKeptUninstall \
      "Keeping program\tkt.ini: it holds a face made with the designer." \
      "文字盤ﾂｰﾙで作った文字盤の設定ファイル program\tkt.ini は残します。"
!macroend
