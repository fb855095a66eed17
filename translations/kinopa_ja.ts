<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>kinopa</name>
    <message>
        <source>The game met an error it cannot go on from: a number was divided by zero.</source>
        <translation>数値を 0 で割るエラーが起きたため、ゲームを続けられません。</translation>
    </message>
    <message>
        <source>The game met an error it cannot go on from: a number went beyond the range it can hold.</source>
        <translation>数値が扱える範囲を超えるエラーが起きたため、ゲームを続けられません。</translation>
    </message>
    <message>
        <source>The game met an error it cannot go on from: a value fell outside its table.</source>
        <translation>値が表の範囲を外れるエラーが起きたため、ゲームを続けられません。</translation>
    </message>
    <message>
        <source>The recording %1 is damaged.</source>
        <translation>記録ファイル %1 は壊れています。</translation>
    </message>
    <message>
        <source>The file %1 is not a Kinopa recording.</source>
        <translation>ファイル %1 は Kinopa の記録ではありません。</translation>
    </message>
    <message>
        <source>The recording %1 is cut short.</source>
        <translation>記録ファイル %1 は途中で切れています。</translation>
    </message>
    <message>
        <source>The recording %1 holds no game.</source>
        <translation>記録ファイル %1 にはゲームが記録されていません。</translation>
    </message>
    <message>
        <source>Line %2 of the recording %1 asks for a picture of the play field, which watching cannot take.</source>
        <translation>記録ファイル %1 の %2 行目はプレイフィールドの画像を求めていますが、記録を見るときには画像を保存できません。</translation>
    </message>
    <message>
        <source>Going through the run before its last game…</source>
        <translation>最後のゲームまでの記録を進めています…</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>An unexpected error occurred.</source>
        <translation>予期しないエラーが起きました。</translation>
    </message>
    <message>
        <source>The game met an error it cannot go on from.</source>
        <translation>ゲームを続けられないエラーが起きました。</translation>
    </message>
    <message>
        <source>The file %1 does not exist.</source>
        <translation>ファイル %1 がありません。</translation>
    </message>
    <message>
        <source>No sound file is named.</source>
        <translation>音声ファイルが指定されていません。</translation>
    </message>
    <message>
        <source>%1 is a folder, not a sound file.</source>
        <translation>%1 はフォルダーで、音声ファイルではありません。</translation>
    </message>
    <message>
        <source>The file %1 cannot be read.</source>
        <translation>ファイル %1 を読み込めません。</translation>
    </message>
    <message>
        <source>The file %1 is not a wave file.</source>
        <translation>ファイル %1 は WAVE ファイルではありません。</translation>
    </message>
    <message>
        <source>The file %1 holds no sound the game can play.</source>
        <translation>ファイル %1 にはゲームで再生できる音声がありません。</translation>
    </message>
    <message>
        <source>The file %1 is too long: a sound may last 20 minutes at most.</source>
        <translation>ファイル %1 は長すぎます（音声は 20 分までです）。</translation>
    </message>
    <message>
        <source>The picture %1 is missing, so the game cannot start.</source>
        <translation>画像ファイル %1 がないため、ゲームを始められません。</translation>
    </message>
    <message>
        <source>The picture %1 cannot be read, so the game cannot start.</source>
        <translation>画像ファイル %1 を読み込めないため、ゲームを始められません。</translation>
    </message>
    <message>
        <source>The picture %1 is not a bitmap the game can use, so the game cannot start.</source>
        <translation>画像ファイル %1 はゲームで使えるビットマップではないため、ゲームを始められません。</translation>
    </message>
    <message>
        <source>The file %1 cannot be written.</source>
        <translation>ファイル %1 に書き込めません。</translation>
    </message>
    <message>
        <source>The file %1 ends before all the settings were read.</source>
        <translation>ファイル %1 は設定を読み終える前に終わっています。</translation>
    </message>
    <message>
        <source>The file %1 holds the number %2, which is out of range.</source>
        <translation>ファイル %1 にある数値 %2 は範囲外です。</translation>
    </message>
    <message>
        <source>The file %1 holds %2 for a check box, which takes only 0, 1 or 2.</source>
        <translation>ファイル %1 のチェックボックスの値 %2 は使えません（使えるのは 0、1、2 だけです）。</translation>
    </message>
    <message>
        <source>This run was too long to record.</source>
        <translation>このプレイは長すぎて記録できませんでした。</translation>
    </message>
    <message>
        <source>Your record game was not kept.</source>
        <translation>最高得点のゲームは保存されませんでした。</translation>
    </message>
    <message>
        <source>There is no folder for your settings: your home folder is not known.</source>
        <translation>ホームフォルダがわからないため、設定を保存するフォルダがありません。</translation>
    </message>
    <message>
        <source>The folder %1 for your settings cannot be created.</source>
        <translation>設定を保存するフォルダ %1 を作成できません。</translation>
    </message>
    <message>
        <source>The first settings file cannot be copied to %1.</source>
        <translation>最初の設定ファイルを %1 にコピーできません。</translation>
    </message>
    <message>
        <source>The damaged file will be kept as %1 when the settings are next saved.</source>
        <translation>壊れたファイルは、次に設定を保存するときに %1 として残されます。</translation>
    </message>
    <message>
        <source>Another copy of Kinopa is using the settings folder %1 and does not answer. Close it or end it, then start again.</source>
        <translation>別の Kinopa が設定フォルダ %1 を使っていて、応答がありません。そちらを閉じるか終了させてから、もう一度起動してください。</translation>
    </message>
    <message>
        <source>Kinopa is already running. To record a run, close it first, then start Kinopa again with --record.</source>
        <translation>Kinopa はすでに起動しています。記録するには、そちらを閉じてから --record を付けて起動し直してください。</translation>
    </message>
    <message>
        <source>There is no best game yet. It is kept when a game beats your highest score.</source>
        <translation>ベストゲームはまだありません。最高得点を超えたゲームがベストゲームとして保存されます。</translation>
    </message>
    <message>
        <source>(no folder: the home folder is not known)</source>
        <translation>(フォルダなし: ホームフォルダが分かりません)</translation>
    </message>
    <message>
        <source>Files of this copy (installed layout):</source>
        <translation>このコピーのファイル (インストール版):</translation>
    </message>
    <message>
        <source>Files of this copy (portable layout):</source>
        <translation>このコピーのファイル (ポータブル版):</translation>
    </message>
    <message>
        <source>settings: %1</source>
        <translation>設定: %1</translation>
    </message>
    <message>
        <source>best game: %1</source>
        <translation>ベストゲーム: %1</translation>
    </message>
    <message>
        <source>Catch the bouncing zarup with the tovrin and click the drifting melkit.</source>
        <translation>跳ね回る zarup を tovrin で受け止め、漂う melkit をクリックするゲームです。</translation>
    </message>
    <message>
        <source>Show this help, and where the files are.</source>
        <translation>このヘルプとファイルの場所を表示します。</translation>
    </message>
    <message>
        <source>Show the version.</source>
        <translation>バージョンを表示します。</translation>
    </message>
    <message>
        <source>Play, and write the whole run&apos;s recording to FILE.</source>
        <translation>ゲームを遊び、全体の記録を FILE に書き出します。</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>Watch a recording, such as the best game.</source>
        <translation>ベストゲームなどの記録を再生して見ます。</translation>
    </message>
    <message>
        <source>Watch your best game.</source>
        <translation>あなたのベストゲームを再生して見ます。</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>想定外の引数 &apos;%1&apos; があります。</translation>
    </message>
    <message>
        <source>--record and watching cannot go together.</source>
        <translation>--record と再生は同時に指定できません。</translation>
    </message>
    <message>
        <source>needs a desktop to show its window on (neither DISPLAY nor WAYLAND_DISPLAY is set).</source>
        <translation>ウィンドウを表示するデスクトップが必要です (DISPLAY も WAYLAND_DISPLAY も設定されていません)。</translation>
    </message>
    <message>
        <source>This is not a Kinopa recording.</source>
        <translation>これは Kinopa の記録ではありません。</translation>
    </message>
    <message>
        <source>This game was not played for the hall of fame: its recording names no seed from the hall.</source>
        <translation>このゲームは殿堂用に遊ばれたものではありません。記録に殿堂のシードがありません。</translation>
    </message>
    <message>
        <source>This recording is cut short.</source>
        <translation>この記録は途中で切れています。</translation>
    </message>
    <message>
        <source>This game&apos;s seed was not given by this hall of fame.</source>
        <translation>このゲームのシードはこの殿堂が出したものではありません。</translation>
    </message>
    <message>
        <source>This game&apos;s seed has already been used for another game.</source>
        <translation>このゲームのシードは、すでに別のゲームに使われています。</translation>
    </message>
    <message>
        <source>This game does not start afresh: it carries something over from an earlier game.</source>
        <translation>このゲームは新しく始まっていません。前のゲームから引き継いだものがあります。</translation>
    </message>
    <message>
        <source>This game&apos;s random values are not the ones its seed gives.</source>
        <translation>このゲームの乱数は、そのシードから出る値ではありません。</translation>
    </message>
    <message>
        <source>This recording is damaged.</source>
        <translation>この記録は壊れています。</translation>
    </message>
    <message>
        <source>This recording does not play one whole game to the end of its time.</source>
        <translation>この記録は、ひとつのゲームを時間切れまで最後まで遊んだものではありません。</translation>
    </message>
    <message>
        <source>This recording took too long to check.</source>
        <translation>この記録は確かめるのに時間がかかりすぎました。</translation>
    </message>
    <message>
        <source>This recording was changed: the score it tells is not the one its game gives.</source>
        <translation>この記録は書き換えられています。記録にある得点がゲームの得点と違います。</translation>
    </message>
    <message>
        <source>This game arrived sooner than it could have been played since its seed was given.</source>
        <translation>このゲームは、シードが出てから遊べるはずの時間より早く届きました。</translation>
    </message>
    <message>
        <source>This game arrived too late: send a game to the hall of fame as soon as it ends.</source>
        <translation>このゲームは届くのが遅すぎました。ゲームが終わったらすぐに殿堂へ送ってください。</translation>
    </message>
    <message>
        <source>The name is not text.</source>
        <translation>名前が文字になっていません。</translation>
    </message>
    <message>
        <source>Please give a name.</source>
        <translation>名前を入れてください。</translation>
    </message>
    <message>
        <source>The name is longer than 16 characters.</source>
        <translation>名前が 16 文字より長くなっています。</translation>
    </message>
    <message>
        <source>The name holds a character that is not shown, such as a control or formatting character.</source>
        <translation>名前に、制御文字や書式文字のような表示されない文字が入っています。</translation>
    </message>
    <message>
        <source>Kinopa hall of fame</source>
        <translation>Kinopa 殿堂</translation>
    </message>
    <message>
        <source>This week</source>
        <translation>今週</translation>
    </message>
    <message>
        <source>All time</source>
        <translation>歴代</translation>
    </message>
    <message>
        <source>Rank</source>
        <translation>順位</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>得点</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日時</translation>
    </message>
    <message>
        <source>Watch</source>
        <translation>見る</translation>
    </message>
    <message>
        <source>No game yet.</source>
        <translation>まだゲームがありません。</translation>
    </message>
    <message>
        <source>Play Kinopa</source>
        <translation>Kinopa を遊ぶ</translation>
    </message>
    <message>
        <source>There is no such page here.</source>
        <translation>そのようなページはありません。</translation>
    </message>
    <message>
        <source>There is no such game in the hall of fame.</source>
        <translation>そのようなゲームは殿堂にありません。</translation>
    </message>
    <message>
        <source>The request is not a game for the hall of fame: it needs a name and a recording.</source>
        <translation>殿堂に送るゲームになっていません。名前と記録が必要です。</translation>
    </message>
    <message>
        <source>The hall keeps no such table: ask for period all or week, and a limit of 1 to 100.</source>
        <translation>そのような表はありません。period は all か week、limit は 1 から 100 で指定してください。</translation>
    </message>
    <message>
        <source>Too many requests from your address: please wait a minute and try again.</source>
        <translation>このアドレスからの要求が多すぎます。1 分ほど待ってから、もう一度試してください。</translation>
    </message>
    <message>
        <source>Only the hall&apos;s administrator may remove an entry.</source>
        <translation>記録を消せるのは殿堂の管理者だけです。</translation>
    </message>
    <message>
        <source>The hall does not take this kind of request here.</source>
        <translation>ここではこの種類の要求は受け付けていません。</translation>
    </message>
    <message>
        <source>The hall of fame cannot reach its records just now: please try again later.</source>
        <translation>いま殿堂の記録にアクセスできません。しばらくしてからもう一度試してください。</translation>
    </message>
    <message>
        <source>The request is too large for the hall of fame.</source>
        <translation>殿堂への要求が大きすぎます。</translation>
    </message>
    <message>
        <source>The hall could not read this request.</source>
        <translation>殿堂はこの要求を読めませんでした。</translation>
    </message>
    <message>
        <source>This game was not kept among your ten best.</source>
        <translation>このゲームはベスト10に残せませんでした。</translation>
    </message>
    <message>
        <source>ten best games: %1</source>
        <translation>ベスト10: %1</translation>
    </message>
    <message>
        <source>Show your ten best games, each to watch.</source>
        <translation>あなたのベスト10を一覧にして、どれでも再生して見られるようにします。</translation>
    </message>
    <message>
        <source>Give --record, --watch, --watch-best or --scores once.</source>
        <translation>--record、--watch、--watch-best、--scores はどれか一つを一度だけ指定してください。</translation>
    </message>
    <message>
        <source>The game %1 cannot be watched: Kinopa could not be started.</source>
        <translation>ゲーム %1 を再生できません: Kinopa を起動できませんでした。</translation>
    </message>
    <message>
        <source>Your ten best games cannot be read.</source>
        <translation>ベスト10を読み込めません。</translation>
    </message>
    <message>
        <source>Played</source>
        <translation>日時</translation>
    </message>
    <message>
        <source>Kinopa — your ten best games</source>
        <translation>Kinopa — ベスト10</translation>
    </message>
    <message>
        <source>No game is kept yet. Each game that scores more than 0 is kept here while it is among your ten best.</source>
        <translation>まだ残っているゲームはありません。得点が 0 を超えたゲームは、ベスト10に入っている間ここに残ります。</translation>
    </message>
    <message>
        <source>A folder of that name stands in its place.</source>
        <translation>同じ名前のフォルダーがその場所にあります。</translation>
    </message>
    <message>
        <source>The folder it belongs in does not exist.</source>
        <translation>保存先のフォルダーがありません。</translation>
    </message>
    <message>
        <source>You may not write into the folder it belongs in.</source>
        <translation>保存先のフォルダーに書き込む権限がありません。</translation>
    </message>
    <message>
        <source>The file is read-only.</source>
        <translation>ファイルが読み取り専用です。</translation>
    </message>
    <message>
        <source>The disk it lies on is read-only.</source>
        <translation>保存先のディスクが読み取り専用です。</translation>
    </message>
    <message>
        <source>The disk is full.</source>
        <translation>ディスクがいっぱいです。</translation>
    </message>
    <message>
        <source>The file would be larger than the system allows.</source>
        <translation>ファイルがシステムで許される大きさを超えます。</translation>
    </message>
    <message>
        <source>The system says: %2.</source>
        <translation>システムからの説明: %2。</translation>
    </message>
    <message>
        <source>The file name %1 holds a double quote (&quot;), which the settings file wave.ini cannot keep. Rename the file, or choose another.</source>
        <translation>ファイル名 %1 には二重引用符 (&quot;) が含まれていて、設定ファイル wave.ini に保存できません。ファイル名を変えるか、別のファイルを選んでください。</translation>
    </message>
    <message>
        <source>The file name %1 holds a line break, which the settings file wave.ini cannot keep. Rename the file, or choose another.</source>
        <translation>ファイル名 %1 には改行が含まれていて、設定ファイル wave.ini に保存できません。ファイル名を変えるか、別のファイルを選んでください。</translation>
    </message>
    <message>
        <source>The file name %1 is not written in UTF-8, which the settings file wave.ini needs. Rename the file, or choose another.</source>
        <translation>ファイル名 %1 は UTF-8 で書かれていないため、設定ファイル wave.ini に保存できません。ファイル名を変えるか、別のファイルを選んでください。</translation>
    </message>
    <message>
        <source>The file name %1 cannot be kept in the settings file wave.ini.</source>
        <translation>ファイル名 %1 は設定ファイル wave.ini に保存できません。</translation>
    </message>
    <message>
        <source>The file %1 holds a sound file name with a double quote or a line break in it, which it cannot keep.</source>
        <translation>ファイル %1 には、二重引用符か改行を含む音声ファイル名があり、正しく保存できません。</translation>
    </message>
    <message>
        <source>The sounds whose settings could not be read have the game&apos;s first settings.</source>
        <translation>読み取れなかった音の設定は、ゲームの最初の設定になっています。</translation>
    </message>
    <message>
        <source>cannot show its window: the desktop (%1) cannot be reached, or this user may not use it.</source>
        <translation>ウィンドウを表示できません。デスクトップ (%1) に接続できないか、このユーザーには使う権限がありません。</translation>
    </message>
    <message>
        <source>the connection to the desktop (%1) was lost; watching ends.</source>
        <translation>デスクトップ (%1) との接続が切れました。再生を終了します。</translation>
    </message>
    <message>
        <source>the connection to the desktop (%1) was lost; the game saves what 終了 saves, and ends.</source>
        <translation>デスクトップ (%1) との接続が切れました。終了と同じように保存して、ゲームを終了します。</translation>
    </message>
    <message>
        <source>Reading the recording…</source>
        <translation>記録を読み込んでいます…</translation>
    </message>
    <message>
        <source>No sound device could be opened, so the game plays without sound.</source>
        <translation>音声デバイスを開けなかったため、音なしでゲームを続けます。</translation>
        <source>Kinopa is open in another tab. Play there, or play here instead: the other tab then stops, everything saved.</source>
        <translation>Kinopa は別のタブで開いています。そちらで遊ぶか、ここで遊んでください（別のタブは、すべて保存して止まります）。</translation>
    </message>
    <message>
        <source>Play here</source>
        <translation>ここで遊ぶ</translation>
    </message>
    <message>
        <source>Kinopa is played in another tab now. This tab has stopped, everything saved.</source>
        <translation>Kinopa は別のタブで遊ばれています。このタブは、すべて保存して止まりました。</translation>
    </message>
    <message>
        <source>Kinopa has ended.</source>
        <translation>Kinopa を終了しました。</translation>
    </message>
    <message>
        <source>Play again</source>
        <translation>もう一度遊ぶ</translation>
    </message>
    <message>
        <source>There is no best game yet. It is kept when a game beats your highest score.</source>
        <translation>ベストゲームはまだありません。最高得点を超えたゲームがベストゲームとして保存されます。</translation>
    </message>
    <message>
        <source>Kinopa — recording</source>
        <translation>Kinopa — 記録</translation>
    </message>
    <message>
        <source>Kinopa — recording, ended</source>
        <translation>Kinopa — 記録、終わり</translation>
    </message>
    <message>
        <source>Back to the game</source>
        <translation>ゲームに戻る</translation>
    </message>
    <message>
        <source>Watching a recording ends the game you are playing. Watch it?</source>
        <translation>記録を見ると、遊んでいるゲームは終わります。記録を見ますか？</translation>
    </message>
    <message>
        <source>Watch</source>
        <translation>見る</translation>
    </message>
    <message>
        <source>Save %1</source>
        <translation>%1 を保存</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>全画面</translation>
    </message>
    <message>
        <source>Leave full screen</source>
        <translation>全画面を終える</translation>
    </message>
    <message>
        <source>Your name for the hall of fame…</source>
        <translation>殿堂での名前…</translation>
    </message>
    <message>
        <source>Games started here are played for the hall of fame. Your name there:</source>
        <translation>ここで始めるゲームは殿堂用に遊ばれます。殿堂での名前:</translation>
    </message>
    <message>
        <source>Send to the hall of fame</source>
        <translation>殿堂に送る</translation>
    </message>
    <message>
        <source>Sending to the hall of fame…</source>
        <translation>殿堂に送っています…</translation>
    </message>
    <message>
        <source>In the hall of fame: rank %1 with %2 points.</source>
        <translation>殿堂入り: %2 点で %1 位です。</translation>
    </message>
    <message>
        <source>The hall of fame cannot be reached just now.</source>
        <translation>いま殿堂に接続できません。</translation>
    </message>
    <message>
        <source>This game is not played for the hall of fame: %1</source>
        <translation>このゲームは殿堂用ではありません: %1</translation>
    </message>
    <message>
        <source>Your ten best games</source>
        <translation>あなたのベスト10</translation>
    </message>
    <message>
        <source>The recording %1 is not on this site: the page watches recordings from its own site only.</source>
        <translation>記録 %1 はこのサイトのものではありません。このページで再生できるのは、このサイトの記録だけです。</translation>
    </message>
    <message>
        <source>The recording %1 could not be fetched (%2).</source>
        <translation>記録 %1 を取得できませんでした (%2)。</translation>
    </message>
</context>
</TS>
