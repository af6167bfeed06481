<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>BackupCommands</name>
    <message>
        <source>The folder %1 holds %2, which is not part of a backup; back up into a new or empty folder, or one that holds only a backup</source>
        <translation>フォルダー %1 にはバックアップのものではない %2 があります。新しいフォルダーか空のフォルダー、またはバックアップだけが入ったフォルダーにバックアップしてください</translation>
    </message>
    <message>
        <source>The folder %1 cannot be listed (%2); back up into a new or empty folder, or one that holds only a backup</source>
        <translation>フォルダー %1 の中身を一覧できません (%2)。新しいフォルダーか空のフォルダー、またはバックアップだけが入ったフォルダーにバックアップしてください</translation>
    </message>
    <message>
        <source>Cannot create the folder %1: %2</source>
        <translation>フォルダー %1 を作成できません: %2</translation>
    </message>
    <message>
        <source>Removed %1, left behind by an earlier backup that was stopped</source>
        <translation>中断された以前のバックアップが残した %1 を削除しました</translation>
    </message>
    <message>
        <source>Stopped; %1 was left as it was</source>
        <translation>中止しました。%1 は元のままです</translation>
    </message>
    <message>
        <source>The board could not be put to sleep: %1</source>
        <translation>ボードをスリープにできませんでした: %1</translation>
    </message>
    <message>
        <source>Reading the motion table failed at %1: %2</source>
        <translation>モーションテーブルの読込が %1 で失敗しました: %2</translation>
    </message>
    <message>
        <source>%1: the name bytes are not plain text; the chart file&apos;s name differs, restore uses the exact bytes</source>
        <translation>%1: 名前のバイト列が通常の文字ではありません。チャートファイルの名前は異なりますが、リストアでは元のバイト列をそのまま使います</translation>
    </message>
    <message>
        <source>%1: %2; restore will refuse this backup</source>
        <translation>%1: %2。リストアはこのバックアップを受け付けません</translation>
    </message>
    <message>
        <source>%1 could not be read: %2</source>
        <translation>%1 を読み込めませんでした: %2</translation>
    </message>
    <message>
        <source>%1: the chart file %2 does not compile back to the board&apos;s steps (from step %3 on); restore uses the exact steps kept in the manifest</source>
        <translation>%1: チャートファイル %2 をコンパイルしてもボードのステップと一致しません (ステップ %3 以降)。リストアではマニフェストに保存したステップをそのまま使います</translation>
    </message>
    <message>
        <source>%1: the chart file %2 does not give back the board&apos;s motion list; restore uses the list kept in the manifest</source>
        <translation>%1: チャートファイル %2 からボードのモーション一覧が再現できません。リストアではマニフェストに保存した一覧を使います</translation>
    </message>
    <message>
        <source>The board did not wake up again</source>
        <translation>ボードがスリープから復帰しませんでした</translation>
    </message>
    <message>
        <source>Cannot write the manifest: %1</source>
        <translation>マニフェストを書き込めません: %1</translation>
    </message>
    <message>
        <source>Cannot put the backup in place at %1: %2</source>
        <translation>バックアップを %1 に置けません: %2</translation>
    </message>
    <message>
        <source>The older backup could not be removed; it stays at %1</source>
        <translation>古いバックアップを削除できませんでした。%1 に残っています</translation>
    </message>
    <message>
        <source>Backed up %1 motions and %2 scenarios to %3</source>
        <translation>モーション %1 個とシナリオ %2 個を %3 にバックアップしました</translation>
    </message>
</context>
<context>
    <name>BackupManifest</name>
    <message>
        <source>&quot;%1&quot; must be a whole number</source>
        <translation>&quot;%1&quot; は整数でなければなりません</translation>
    </message>
    <message>
        <source>&quot;%1&quot; must be from %2 to %3</source>
        <translation>&quot;%1&quot; は %2 から %3 まででなければなりません</translation>
    </message>
    <message>
        <source>every entry must be an object</source>
        <translation>エントリーはすべてオブジェクトでなければなりません</translation>
    </message>
    <message>
        <source>&quot;slot&quot; must be M1 ... M80 or S1 ... S5</source>
        <translation>&quot;slot&quot; は M1 ... M80 または S1 ... S5 でなければなりません</translation>
    </message>
    <message>
        <source>&quot;date&quot; must be four numbers</source>
        <translation>&quot;date&quot; は 4 つの数でなければなりません</translation>
    </message>
    <message>
        <source>&quot;date&quot; must be four numbers from 0 to 255</source>
        <translation>&quot;date&quot; は 0 から 255 までの 4 つの数でなければなりません</translation>
    </message>
    <message>
        <source>&quot;nameBytes&quot; must be at most 32 bytes in hexadecimal</source>
        <translation>&quot;nameBytes&quot; は 32 バイト以内の 16 進数でなければなりません</translation>
    </message>
    <message>
        <source>&quot;name&quot; or &quot;nameBytes&quot; is missing</source>
        <translation>&quot;name&quot; も &quot;nameBytes&quot; もありません</translation>
    </message>
    <message>
        <source>&quot;file&quot; must be a file name in the backup folder</source>
        <translation>&quot;file&quot; はバックアップフォルダー内のファイル名でなければなりません</translation>
    </message>
    <message>
        <source>&quot;records&quot; must hold one record per step</source>
        <translation>&quot;records&quot; にはステップごとに 1 つのレコードが必要です</translation>
    </message>
    <message>
        <source>each record must be 49 bytes in hexadecimal</source>
        <translation>レコードはそれぞれ 49 バイトの 16 進数でなければなりません</translation>
    </message>
    <message>
        <source>&quot;motions&quot; must hold one motion number per step</source>
        <translation>&quot;motions&quot; にはステップごとに 1 つのモーション番号が必要です</translation>
    </message>
    <message>
        <source>each motion number must be from 0 to 255</source>
        <translation>モーション番号はそれぞれ 0 から 255 まででなければなりません</translation>
    </message>
    <message>
        <source>this is not a brivane3 backup manifest</source>
        <translation>brivane3 のバックアップマニフェストではありません</translation>
    </message>
    <message>
        <source>unknown manifest version</source>
        <translation>マニフェストのバージョンが不明です</translation>
    </message>
    <message>
        <source>&quot;entries&quot; must be a list of at most 85 table entries</source>
        <translation>&quot;entries&quot; は 85 個以内のテーブルエントリーの一覧でなければなりません</translation>
    </message>
    <message>
        <source>%1 appears twice</source>
        <translation>%1 が 2 回出てきます</translation>
    </message>
</context>
<context>
    <name>BoardActions</name>
    <message>
        <source>Write to QVB-3</source>
        <translation>QVB-3 へ書込</translation>
    </message>
    <message>
        <source>Select QVB-3 memory location</source>
        <translation>QVB-3 の書込先を選択してください</translation>
    </message>
    <message>
        <source>Read from QVB-3</source>
        <translation>QVB-3 から読込</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>選択してください</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>消去</translation>
    </message>
    <message>
        <source>Select data to be deleted</source>
        <translation>消去するデータを選択してください</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Select the motion or scenario to play</source>
        <translation>再生するモーションまたはシナリオを選択してください</translation>
    </message>
    <message>
        <source>Sleep on</source>
        <translation>スリープ開始</translation>
    </message>
    <message>
        <source>%1 holds the continuation of %2 %3.<byte value="xd"/>
%2 will be deleted first. Do you agree with this</source>
        <translation>%1 には %2 %3 の続きが入っています。</translation>
    </message>
    <message>
        <source>Sleep off</source>
        <translation>スリープ解除</translation>
    </message>
    <message>
        <source>Write successful</source>
        <translation>書き込みに成功しました</translation>
    </message>
    <message>
        <source>No data</source>
        <translation>データがありません</translation>
    </message>
    <message>
        <source>Read successful</source>
        <translation>読み込みに成功しました</translation>
    </message>
    <message>
        <source>No Data</source>
        <translation>データがありません</translation>
    </message>
    <message>
        <source>Read failed</source>
        <translation>読み込みに失敗しました</translation>
    </message>
    <message>
        <source>Reading succeeded</source>
        <translation>読み込みが完了しました</translation>
    </message>
    <message>
        <source>OK to delete?</source>
        <translation>消去してもよろしいですか？</translation>
    </message>
    <message>
        <source>Delete successful</source>
        <translation>消去しました</translation>
    </message>
    <message>
        <source>Sending the Play command</source>
        <translation>再生コマンドを送信しています</translation>
    </message>
    <message>
        <source>Write successful, but the board did not wake up (%1); it is still asleep</source>
        <translation>書き込みには成功しましたが、ボードがスリープから復帰しませんでした（%1）。スリープしたままです</translation>
    </message>
</context>
<context>
    <name>BoardCommands</name>
    <message>
        <source>Serial port of the board: COMn or a device path</source>
        <translation>ボードのシリアルポート: COMn またはデバイスのパス</translation>
    </message>
    <message>
        <source>Answer the questions of a command with yes</source>
        <translation>コマンドの問い合わせにすべて「はい」と答える</translation>
    </message>
</context>
<context>
    <name>BoardConfig</name>
    <message>
        <source>sleep mode</source>
        <translation>スリープモード</translation>
    </message>
    <message>
        <source>channel name %1</source>
        <translation>チャンネル %1 の名前</translation>
    </message>
    <message>
        <source>servo record %1</source>
        <translation>サーボ設定 %1</translation>
    </message>
    <message>
        <source>analog and transmitter settings</source>
        <translation>アナログ入力と送信機の設定</translation>
    </message>
    <message>
        <source>start motions</source>
        <translation>スタートモーション</translation>
    </message>
    <message>
        <source>low-voltage setting</source>
        <translation>低電圧の設定</translation>
    </message>
</context>
<context>
    <name>BoardControlCommands</name>
    <message>
        <source>The board may have been left asleep</source>
        <translation>ボードがスリープのままになっている可能性があります</translation>
    </message>
    <message>
        <source>No	Name	Count	Date	Control</source>
        <translation>No	名前	ステップ数	日付	制御</translation>
    </message>
    <message>
        <source>Print the board&apos;s version text (4 lines)</source>
        <translation>ボードのバージョン文字列 (4 行) を表示する</translation>
    </message>
    <message>
        <source>List the 85 entries of the board&apos;s motion table</source>
        <translation>ボードのモーションテーブルの 85 エントリーを一覧表示する</translation>
    </message>
    <message>
        <source>Play a motion (M1..M80) or scenario (S1..S5)</source>
        <translation>モーション (M1..M80) またはシナリオ (S1..S5) を再生する</translation>
    </message>
    <message>
        <source>M1..M80 or S1..S5</source>
        <translation>M1..M80 または S1..S5</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not M1..M80 or S1..S5</source>
        <translation>&apos;%1&apos; は M1..M80 でも S1..S5 でもありません</translation>
    </message>
    <message>
        <source>Playing</source>
        <translation>再生中</translation>
    </message>
    <message>
        <source>Stop playback</source>
        <translation>再生を停止する</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>停止しました</translation>
    </message>
    <message>
        <source>Pause playback, or resume it when paused</source>
        <translation>再生を一時停止する (一時停止中なら再開する)</translation>
    </message>
    <message>
        <source>Pause toggled</source>
        <translation>一時停止を切り替えました</translation>
    </message>
    <message>
        <source>Put the board to sleep (on) or wake it (off)</source>
        <translation>ボードをスリープにする (on) または復帰させる (off)</translation>
    </message>
    <message>
        <source>on or off</source>
        <translation>on または off</translation>
    </message>
    <message>
        <source>Sleep on</source>
        <translation>スリープにしました</translation>
    </message>
    <message>
        <source>Sleep off</source>
        <translation>スリープから復帰しました</translation>
    </message>
</context>
<context>
    <name>BoardLink</name>
    <message>
        <source>%1 [Communication now]</source>
        <translation>%1 [通信中]</translation>
    </message>
</context>
<context>
    <name>BoardPort</name>
    <message>
        <source>Name the board&apos;s serial port with --port COMn or --port /dev/...</source>
        <translation>ボードのシリアルポートを --port COMn または --port /dev/... で指定してください</translation>
    </message>
    <message>
        <source>--port must be COMn or a device path, not &quot;%1&quot;</source>
        <translation>--port には &quot;%1&quot; ではなく COMn またはデバイスのパスを指定してください</translation>
    </message>
    <message>
        <source>Cannot open the serial port %1: %2</source>
        <translation>シリアルポート %1 をオープンできませんでした: %2</translation>
    </message>
</context>
<context>
    <name>BoardWorkflowCommands</name>
    <message>
        <source>Board slot: M1 ... M80 or S1 ... S5</source>
        <translation>ボードのスロット: M1 ... M80 または S1 ... S5</translation>
    </message>
    <message>
        <source>Write a chart file to a board slot, as the editor&apos;s Write button does</source>
        <translation>チャートファイルをボードのスロットに書き込む (エディターの「書込」ボタンと同じ)</translation>
    </message>
    <message>
        <source>Chart file (.QVB)</source>
        <translation>チャートファイル (.QVB)</translation>
    </message>
    <message>
        <source>Read a board slot into a chart file</source>
        <translation>ボードのスロットをチャートファイルに読み込む</translation>
    </message>
    <message>
        <source>Chart file to write</source>
        <translation>書き出すチャートファイル</translation>
    </message>
    <message>
        <source>Delete a board slot (asks; --yes answers)</source>
        <translation>ボードのスロットを削除する (確認あり。--yes で「はい」)</translation>
    </message>
    <message>
        <source>Save every motion and scenario of the board as chart files plus manifest.json</source>
        <translation>ボードのすべてのモーションとシナリオをチャートファイルと manifest.json に保存する</translation>
    </message>
    <message>
        <source>Backup folder (created when missing)</source>
        <translation>バックアップフォルダー (なければ作成)</translation>
    </message>
    <message>
        <source>Write a backup folder back to the board</source>
        <translation>バックアップフォルダーをボードに書き戻す</translation>
    </message>
    <message>
        <source>Backup folder</source>
        <translation>バックアップフォルダー</translation>
    </message>
    <message>
        <source>Post a window message (0x8000 play, 0x8001 select port) to the editor</source>
        <translation>エディターにウィンドウメッセージを送る (0x8000 再生、0x8001 ポート選択)</translation>
    </message>
    <message>
        <source>Message number, decimal or 0x hexadecimal</source>
        <translation>メッセージ番号 (10 進数または 0x で始まる 16 進数)</translation>
    </message>
    <message>
        <source>First parameter</source>
        <translation>1 番目のパラメーター</translation>
    </message>
    <message>
        <source>Second parameter</source>
        <translation>2 番目のパラメーター</translation>
    </message>
</context>
<context>
    <name>CanvasEditor</name>
    <message>
        <source>Start and End objects must be different.</source>
        <translation>始点と終点のオブジェクトは別のものにしてください。</translation>
    </message>
</context>
<context>
    <name>Chart</name>
    <message>
        <source>No title</source>
        <translation>無題</translation>
    </message>
</context>
<context>
    <name>ChartFileReader</name>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>&apos;%1&apos; は正しい整数値ではありません</translation>
    </message>
</context>
<context>
    <name>ChartFiles</name>
    <message>
        <source>It can&apos;t be kept in the designated place</source>
        <translation>指定された場所に保存できません</translation>
    </message>
    <message>
        <source>The designated file can&apos;t be used</source>
        <translation>指定されたファイルは使用できません</translation>
    </message>
    <message>
        <source>Do you prepared for the disappearance of all the present data?</source>
        <translation>現在のデータはすべて失われます。よろしいですか？</translation>
    </message>
    <message>
        <source>QVB file (*.QVB *.qvb);;AllFiles (*)</source>
        <translation>QVBファイル (*.QVB *.qvb);;全てのファイルを表示する (*)</translation>
    </message>
    <message>
        <source>The file names more objects or wires than it holds</source>
        <translation>ファイルに記載されたオブジェクトまたは配線の数が、ファイルの中身より多くなっています</translation>
    </message>
    <message>
        <source>The designated file can&apos;t be used (%1)</source>
        <translation>指定されたファイルは使用できません (%1)</translation>
    </message>
    <message>
        <source>Cannot open file &quot;%1&quot;. %2</source>
        <translation>ファイル &quot;%1&quot; を開けません。%2</translation>
    </message>
</context>
<context>
    <name>ChartHistory</name>
    <message>
        <source>Canvas size</source>
        <translation>キャンバスのサイズ</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>読込</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>変換</translation>
    </message>
    <message>
        <source>Name and code</source>
        <translation>名前とコード</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>プロパティ</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>貼り付け</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>Insert</source>
        <translation>分割</translation>
    </message>
    <message>
        <source>Colour</source>
        <translation>色</translation>
    </message>
    <message>
        <source>Add bend point</source>
        <translation>折れ目の追加</translation>
    </message>
    <message>
        <source>Delete bend point</source>
        <translation>折れ目の削除</translation>
    </message>
    <message>
        <source>Open items</source>
        <translation>アイテムを開く</translation>
    </message>
    <message>
        <source>Move</source>
        <translation>移動</translation>
    </message>
    <message>
        <source>Place</source>
        <translation>配置</translation>
    </message>
    <message>
        <source>Start flag</source>
        <translation>スタートフラグ</translation>
    </message>
    <message>
        <source>Wiring</source>
        <translation>配線</translation>
    </message>
    <message>
        <source>Move bend point</source>
        <translation>折れ目の移動</translation>
    </message>
    <message>
        <source>Chart data</source>
        <translation>チャートデータ</translation>
    </message>
    <message>
        <source>Reverse wire</source>
        <translation>配線の向きの反転</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Pose</source>
        <translation>ポーズ</translation>
    </message>
</context>
<context>
    <name>CliLanguage</name>
    <message>
        <source>A subcommand is required</source>
        <translation>サブコマンドを指定してください</translation>
    </message>
    <message>
        <source>Requires at least %1 subcommands</source>
        <translation>サブコマンドを %1 個以上指定してください</translation>
    </message>
    <message>
        <source>%1 is required</source>
        <translation>%1 を指定してください</translation>
    </message>
    <message>
        <source>The following argument was not expected: %1</source>
        <translation>次の引数は使えません: %1</translation>
    </message>
    <message>
        <source>The following arguments were not expected: %1</source>
        <translation>次の引数は使えません: %1</translation>
    </message>
    <message>
        <source>%1 requires %2</source>
        <translation>%1 には %2 が必要です</translation>
    </message>
    <message>
        <source>%1 excludes %2</source>
        <translation>%1 と %2 は同時に指定できません</translation>
    </message>
    <message>
        <source>Could not convert: %1 = %2</source>
        <translation>値を解釈できません: %1 = %2</translation>
    </message>
    <message>
        <source>The value %1 is not an allowed value for %2</source>
        <translation>%1 は %2 に指定できる値ではありません</translation>
    </message>
    <message>
        <source>%1: %2 required %3 missing</source>
        <translation>%1: %3 が %2 個足りません</translation>
    </message>
    <message>
        <source>Expected exactly %1 arguments to %2, got %3</source>
        <translation>%2 には引数がちょうど %1 個必要ですが、%3 個でした</translation>
    </message>
    <message>
        <source>Expected at least %1 arguments to %2, got %3</source>
        <translation>%2 には引数が %1 個以上必要ですが、%3 個でした</translation>
    </message>
    <message>
        <source>%1: %2 not in %3</source>
        <translation>%1: %2 は %3 のどれでもありません</translation>
    </message>
    <message>
        <source>%1: Value %2 not in range %3 to %4</source>
        <translation>%1: 値 %2 が %3 から %4 の範囲外です</translation>
    </message>
    <message>
        <source>%1: Failed parsing %2 as a %3</source>
        <translation>%1: %2 を %3 として解釈できません</translation>
    </message>
    <message>
        <source>Usage</source>
        <translation>使い方</translation>
    </message>
    <message>
        <source>OPTIONS</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>SUBCOMMAND</source>
        <translation>サブコマンド</translation>
    </message>
    <message>
        <source>SUBCOMMANDS</source>
        <translation>サブコマンド</translation>
    </message>
    <message>
        <source>Positionals</source>
        <translation>引数</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>REQUIRED</source>
        <translation>必須</translation>
    </message>
    <message>
        <source>Needs</source>
        <translation>必要</translation>
    </message>
    <message>
        <source>Excludes</source>
        <translation>排他</translation>
    </message>
    <message>
        <source>Print this help message and exit</source>
        <translation>このヘルプを表示して終了する</translation>
    </message>
    <message>
        <source>Subcommands</source>
        <translation>サブコマンド</translation>
    </message>
    <message>
        <source>Run with --help for more information.</source>
        <translation>詳しくは --help を付けて実行してください。</translation>
    </message>
</context>
<context>
    <name>CliMain</name>
    <message>
        <source>brivane3-cli: chart files and QVB-3 board work from a shell</source>
        <translation>brivane3-cli: シェルからチャートファイルと QVB-3 ボードを扱う</translation>
    </message>
    <message>
        <source>Display program version information and exit</source>
        <translation>プログラムのバージョンを表示して終了する</translation>
    </message>
</context>
<context>
    <name>CliPrompter</name>
    <message>
        <source> (OK: --yes)</source>
        <translation> (OK: --yes)</translation>
    </message>
    <message>
        <source> (cancelled: answer with --yes to go on)</source>
        <translation> (キャンセル: 続けるには --yes で答えてください)</translation>
    </message>
    <message>
        <source> (yes: --yes)</source>
        <translation> (はい: --yes)</translation>
    </message>
    <message>
        <source> (no: answer with --yes to go on)</source>
        <translation> (いいえ: 続けるには --yes で答えてください)</translation>
    </message>
</context>
<context>
    <name>CommX</name>
    <message>
        <source>The port is already open</source>
        <translation>ポートは、すでにオープンされています</translation>
    </message>
    <message>
        <source>Could not create the transmit thread</source>
        <translation>送信用スレッドを生成できませんでした</translation>
    </message>
    <message>
        <source>Could not create the receive thread</source>
        <translation>受信用スレッドを生成できませんでした</translation>
    </message>
    <message>
        <source>An error occurred while setting the bit rate</source>
        <translation>通信速度の設定でエラーが発生しました</translation>
    </message>
    <message>
        <source>An error occurred while setting the number of data bits</source>
        <translation>通信ビット数の設定でエラーが発生しました</translation>
    </message>
    <message>
        <source>An error occurred while setting the parity check</source>
        <translation>通信パリティチェックの設定でエラーが発生しました</translation>
    </message>
    <message>
        <source>An error occurred while setting the number of stop bits</source>
        <translation>通信ストップビット数の設定でエラーが発生しました</translation>
    </message>
    <message>
        <source>Setting the flow control failed</source>
        <translation>通信フロー制御の設定で失敗しました</translation>
    </message>
    <message>
        <source>An error occurred while setting the XON character</source>
        <translation>Ｘｏｎ文字の設定でエラーが発生しました</translation>
    </message>
    <message>
        <source>An error occurred while setting the XOFF character</source>
        <translation>Ｘｏｆｆ文字の設定でエラーが発生しました</translation>
    </message>
    <message>
        <source>Could not prepare the buffers of the port</source>
        <translation>通信用ポートのバッファを準備できませんでした</translation>
    </message>
    <message>
        <source>Could not open the port: %1</source>
        <translation>ポートをオープンできませんでした: %1</translation>
    </message>
    <message>
        <source>the port is busy (another program is using it)</source>
        <translation>ポートは使用中です（別のプログラムが使っています）</translation>
    </message>
    <message>
        <source>no such device</source>
        <translation>デバイスがありません</translation>
    </message>
    <message>
        <source>permission denied (join the dialout group: sudo usermod -aG dialout $USER, then log in again)</source>
        <translation>アクセスが拒否されました（dialout グループに参加してください: sudo usermod -aG dialout $USER を実行してから、ログインし直してください）</translation>
    </message>
    <message>
        <source>not a serial device</source>
        <translation>シリアルデバイスではありません</translation>
    </message>
</context>
<context>
    <name>CompileCommand</name>
    <message>
        <source>note: %1</source>
        <translation>注: %1</translation>
    </message>
    <message>
        <source>Only the first 199 motions of this scenario can be written</source>
        <translation>このシナリオで書き込めるのは最初の 199 モーションだけです</translation>
    </message>
    <message>
        <source>The chart has no objects</source>
        <translation>チャートにオブジェクトがありません</translation>
    </message>
    <message>
        <source>A scenario chart has no curves</source>
        <translation>シナリオのチャートには曲線がありません</translation>
    </message>
    <message>
        <source>Compile a chart file and print its listing (scenario: its motion list)</source>
        <translation>チャートファイルをコンパイルしてリストを表示する (シナリオはモーション一覧)</translation>
    </message>
    <message>
        <source>Chart file (.QVB)</source>
        <translation>チャートファイル (.QVB)</translation>
    </message>
    <message>
        <source>Print the hexadecimal view of the steps instead of the listing</source>
        <translation>リストの代わりにステップを 16 進数で表示する</translation>
    </message>
    <message>
        <source>Print each channel&apos;s servo position per step as CSV (step,kind,speed,CH1..CH24)</source>
        <translation>ステップごとの各チャンネルのサーボ位置を CSV で表示する (step,kind,speed,CH1..CH24)</translation>
    </message>
    <message>
        <source>Print the warnings worth a look before writing; exit 4 when any</source>
        <translation>書き込む前に確認すべき警告を表示する (警告があれば終了コード 4)</translation>
    </message>
    <message>
        <source>With --check: also warn of joints beyond their limits and links hitting one another for this robot model (.urdf)</source>
        <translation>--check と共に: このロボットモデル (.urdf) で可動範囲を超える関節とぶつかり合うリンクも警告する</translation>
    </message>
</context>
<context>
    <name>ConfigCommands</name>
    <message>
        <source>The board&apos;s configuration could not be read</source>
        <translation>ボードの設定を読み込めませんでした</translation>
    </message>
    <message>
        <source>The trim could not be read (%1)</source>
        <translation>トリムを読み込めませんでした (%1)</translation>
    </message>
    <message>
        <source>no section %1</source>
        <translation>セクション %1 がありません</translation>
    </message>
    <message>
        <source>CH%1 is missing or not 0..65535</source>
        <translation>CH%1 がないか 0..65535 の範囲外です</translation>
    </message>
    <message>
        <source>The trim was written to the stored copy, but the board did not wake up afterwards (%1); it is still asleep</source>
        <translation>トリムは保存領域に書き込みましたが、その後ボードが復帰しませんでした (%1)。ボードはスリープのままです</translation>
    </message>
    <message>
        <source>Loading the trim failed (%1)</source>
        <translation>トリムの読込に失敗しました (%1)</translation>
    </message>
    <message>
        <source>The board may have been left asleep</source>
        <translation>ボードがスリープのままになっている可能性があります</translation>
    </message>
    <message>
        <source>CH%1: %2 held at %3</source>
        <translation>CH%1: %2 は %3 に制限しました</translation>
    </message>
    <message>
        <source>Print the board&apos;s stored configuration, or save it to a file or load it from one</source>
        <translation>ボードに保存された設定を表示する (またはファイルに保存する、ファイルから読み込む)</translation>
    </message>
    <message>
        <source>Print one JSON object</source>
        <translation>1 つの JSON オブジェクトとして表示する</translation>
    </message>
    <message>
        <source>Write the configuration as JSON to FILE</source>
        <translation>設定を JSON として FILE に書き出す</translation>
    </message>
    <message>
        <source>JSON file to write</source>
        <translation>書き出す JSON ファイル</translation>
    </message>
    <message>
        <source>Write a saved configuration to the board&apos;s stored copies and read it back</source>
        <translation>保存した設定をボードの保存領域に書き込み、読み戻して確かめる</translation>
    </message>
    <message>
        <source>JSON file to read</source>
        <translation>読み込む JSON ファイル</translation>
    </message>
    <message>
        <source>Change the channel masks without asking</source>
        <translation>確認せずにチャンネルマスクを変更する</translation>
    </message>
    <message>
        <source>Print the 24 stored trim offsets, or load or save a trim file</source>
        <translation>保存された 24 個のトリムオフセットを表示する (またはトリムファイルを読み込む、保存する)</translation>
    </message>
    <message>
        <source>Write a trim file to the working and stored copies</source>
        <translation>トリムファイルを作業領域と保存領域に書き込む</translation>
    </message>
    <message>
        <source>Trim file (.QVB)</source>
        <translation>トリムファイル (.QVB)</translation>
    </message>
    <message>
        <source>Write the stored trim as a trim file</source>
        <translation>保存されたトリムをトリムファイルに書き出す</translation>
    </message>
    <message>
        <source>Trim file to write</source>
        <translation>書き出すトリムファイル</translation>
    </message>
</context>
<context>
    <name>ConfigJson</name>
    <message>
        <source>on</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>off</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>none</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>Mode word: 0x%1</source>
        <translation>モードワード: 0x%1</translation>
    </message>
    <message>
        <source>Motion replay: %1</source>
        <translation>モーション再生終了時に返事をもらう: %1</translation>
    </message>
    <message>
        <source>Remote playback: %1</source>
        <translation>送信機でのモーション・シナリオ再生: %1</translation>
    </message>
    <message>
        <source>ZLT-1: %1</source>
        <translation>ZLT1 から制御する: %1</translation>
    </message>
    <message>
        <source>Timebase: %1</source>
        <translation>タイムベース: %1</translation>
    </message>
    <message>
        <source>Start switch motion: %1</source>
        <translation>スタートスイッチのモーション: %1</translation>
    </message>
    <message>
        <source>Power-up motion: %1</source>
        <translation>電源投入時のモーション: %1</translation>
    </message>
    <message>
        <source>Low power motion: %1</source>
        <translation>低電圧時のモーション: %1</translation>
    </message>
    <message>
        <source>Low voltage: %1</source>
        <translation>低電圧: %1</translation>
    </message>
    <message>
        <source>Serial servo channels: %1</source>
        <translation>シリアルサーボのチャンネル: %1</translation>
    </message>
    <message>
        <source>SVL channels: %1</source>
        <translation>SVL のチャンネル: %1</translation>
    </message>
    <message>
        <source>Channel	Name	Trim offset</source>
        <translation>チャンネル	名前	トリムオフセット</translation>
    </message>
    <message>
        <source>Analog references: %1</source>
        <translation>アナログ基準値: %1</translation>
    </message>
    <message>
        <source>AD%1 mixing: %2</source>
        <translation>AD%1 ミキシング: %2</translation>
    </message>
    <message>
        <source>Trigger %1: %2 at %3</source>
        <translation>トリガー %1: %2 (しきい値 %3)</translation>
    </message>
    <message>
        <source>Transmitter references: %1</source>
        <translation>送信機の基準値: %1</translation>
    </message>
    <message>
        <source>(the file is not a JSON object)</source>
        <translation>(ファイルが JSON オブジェクトではありません)</translation>
    </message>
    <message>
        <source>Cannot read %1</source>
        <translation>%1 を読み込めません</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 を読み込めません: %2</translation>
    </message>
    <message>
        <source>%1: not valid JSON</source>
        <translation>%1: 正しい JSON ではありません</translation>
    </message>
    <message>
        <source>%1: bad or missing value: %2</source>
        <translation>%1: 値が不正か、ありません: %2</translation>
    </message>
    <message>
        <source>The board&apos;s configuration could not be read</source>
        <translation>ボードの設定を読み込めませんでした</translation>
    </message>
    <message>
        <source>The file changes the serial-servo or SVL channels; the board takes them at its next power-up. Write the configuration?</source>
        <translation>このファイルはシリアルサーボまたは SVL のチャンネルを変更します。ボードには次の電源投入時に反映されます。設定を書き込みますか?</translation>
    </message>
    <message>
        <source>Nothing was written</source>
        <translation>何も書き込みませんでした</translation>
    </message>
    <message>
        <source>Writing the configuration failed (%1)</source>
        <translation>設定の書込に失敗しました (%1)</translation>
    </message>
    <message>
        <source>The configuration could not be read back</source>
        <translation>設定を読み戻せませんでした</translation>
    </message>
    <message>
        <source>Differs after writing: %1</source>
        <translation>書込後に異なっています: %1</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>%1 に書き込めません</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>%1 に書き込めません: %2</translation>
    </message>
</context>
<context>
    <name>ConnectionWatch</name>
    <message>
        <source>%1 OK</source>
        <translation>%1 OK</translation>
    </message>
    <message>
        <source>No Connection</source>
        <translation>未接続</translation>
    </message>
    <message>
        <source>%1 lost</source>
        <translation>%1 切断</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>通信に失敗しました</translation>
    </message>
</context>
<context>
    <name>DisabledCollisions</name>
    <message>
        <source>the file is larger than %1 MB</source>
        <translation>ファイルが %1 MB を超えています</translation>
    </message>
    <message>
        <source>elements nest more than %1 levels deep</source>
        <translation>要素の入れ子が %1 段を超えています</translation>
    </message>
    <message>
        <source>not well-formed XML (%1)</source>
        <translation>XML の形式が正しくありません (%1)</translation>
    </message>
    <message>
        <source>no &lt;robot&gt; element</source>
        <translation>&lt;robot&gt; 要素がありません</translation>
    </message>
    <message>
        <source>&lt;disable_collisions&gt; needs link1 and link2</source>
        <translation>&lt;disable_collisions&gt; には link1 と link2 が必要です</translation>
    </message>
    <message>
        <source>&lt;disable_collisions&gt; names the unknown link &apos;%1&apos;</source>
        <translation>&lt;disable_collisions&gt; が存在しないリンク &apos;%1&apos; を指定しています</translation>
    </message>
    <message>
        <source>cannot read the file (%1)</source>
        <translation>ファイルを読み込めません (%1)</translation>
    </message>
</context>
<context>
    <name>DurableFiles</name>
    <message>
        <source>write error (%1)</source>
        <translation>書き込みエラー (%1)</translation>
    </message>
</context>
<context>
    <name>FileCommands</name>
    <message>
        <source>Chart file (.QVB), CSV motion file, or item file with --item-at</source>
        <translation>チャートファイル (.QVB)、CSV モーションファイル、または --item-at と共にアイテムファイル</translation>
    </message>
    <message>
        <source>Read FILE as an item file placed at canvas point X Y</source>
        <translation>FILE をアイテムファイルとして読み、キャンバスの点 X Y に置く</translation>
    </message>
    <message>
        <source>Read a chart, CSV motion or item file and print it as JSON</source>
        <translation>チャート、CSV モーション、アイテムのファイルを読み、JSON で表示する</translation>
    </message>
    <message>
        <source>Read a chart, CSV motion or item file and save it as a chart file named exactly OUT</source>
        <translation>チャート、CSV モーション、アイテムのファイルを読み、OUT という名前どおりのチャートファイルに保存する</translation>
    </message>
    <message>
        <source>Chart file to write</source>
        <translation>書き出すチャートファイル</translation>
    </message>
</context>
<context>
    <name>Interpolation</name>
    <message>
        <source>Insert</source>
        <translation>分割</translation>
    </message>
    <message>
        <source>Number of new objects</source>
        <translation>新しいオブジェクトの数</translation>
    </message>
    <message>
        <source>Number of new objects must be 1 to %1</source>
        <translation>新しいオブジェクトの数は 1 から %1 までにしてください</translation>
    </message>
</context>
<context>
    <name>JpegImage</name>
    <message>
        <source>the picture is too large (%1 x %2 pixels; at most 64 megapixels and 16384 on a side)</source>
        <translation>画像が大きすぎます（%1 x %2 ピクセル。上限は 6400 万ピクセル、一辺 16384 ピクセルです）</translation>
    </message>
    <message>
        <source>it is not a JPEG picture</source>
        <translation>JPEG 画像ではありません</translation>
    </message>
    <message>
        <source>it is not a BMP picture</source>
        <translation>BMP 画像ではありません</translation>
    </message>
</context>
<context>
    <name>LinkCommand</name>
    <message>
        <source>Flow wiring error in CH%1</source>
        <translation>CH%1 でフロー配線エラー</translation>
    </message>
</context>
<context>
    <name>MainBoardButtons</name>
    <message>
        <source>Click to show where this happens</source>
        <translation>クリックすると発生箇所を表示します</translation>
    </message>
    <message>
        <source>note: %1</source>
        <translation>注: %1</translation>
    </message>
</context>
<context>
    <name>MessageCommand</name>
    <message>
        <source>No message socket path</source>
        <translation>メッセージソケットのパスがありません</translation>
    </message>
    <message>
        <source>no running editor</source>
        <translation>実行中のエディターがありません</translation>
    </message>
</context>
<context>
    <name>MessageDialogs</name>
    <message>
        <source>Copy command</source>
        <translation>コマンドをコピー</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>コピーしました</translation>
    </message>
    <message>
        <source>Please choose a number</source>
        <translation>番号を指定してください</translation>
    </message>
</context>
<context>
    <name>MessageSocket</name>
    <message>
        <source>The message socket path is too long: %1</source>
        <translation>メッセージソケットのパスが長すぎます: %1</translation>
    </message>
    <message>
        <source>A message is three numbers: MSG W L</source>
        <translation>メッセージは MSG W L の 3 つの数値です</translation>
    </message>
    <message>
        <source>MSG must be a number from 0 to 0xFFFFFFFF, not &quot;%1&quot;</source>
        <translation>MSG には 0 から 0xFFFFFFFF までの数値を指定してください（&quot;%1&quot; は指定できません）</translation>
    </message>
    <message>
        <source>%1 must be a number from -2147483648 to 0xFFFFFFFF, not &quot;%2&quot;</source>
        <translation>%1 には -2147483648 から 0xFFFFFFFF までの数値を指定してください（&quot;%2&quot; は指定できません）</translation>
    </message>
    <message>
        <source>no running editor</source>
        <translation>起動しているエディタがありません</translation>
    </message>
    <message>
        <source>Cannot reach the editor at %1: %2</source>
        <translation>%1 のエディタに接続できません: %2</translation>
    </message>
    <message>
        <source>The message socket %1 belongs to another user (uid %2); nothing was sent</source>
        <translation>メッセージソケット %1 は別のユーザー (uid %2) のものです。何も送信しませんでした</translation>
    </message>
    <message>
        <source>The editor did not accept the message (it closed the connection; too many connections may be open)</source>
        <translation>エディタがメッセージを受け付けませんでした（接続が閉じられました。接続が多すぎる可能性があります）</translation>
    </message>
    <message>
        <source>Cannot send the message: %1</source>
        <translation>メッセージを送信できません: %1</translation>
    </message>
    <message>
        <source>The editor did not accept the message (no answer within %1 ms; it may be busy or too many connections are open); it may not arrive</source>
        <translation>エディタがメッセージを受け付けませんでした（%1 ミリ秒以内に応答がありません。処理中か、接続が多すぎる可能性があります）。メッセージは届かない可能性があります</translation>
    </message>
    <message>
        <source>The editor did not accept the message (%1)</source>
        <translation>エディタがメッセージを受け付けませんでした (%1)</translation>
    </message>
    <message>
        <source>%1 is in the way and is not this user&apos;s message socket</source>
        <translation>%1 がすでにありますが、このユーザーのメッセージソケットではありません</translation>
    </message>
    <message>
        <source>Another editor already listens at %1</source>
        <translation>別のエディタがすでに %1 で待ち受けています</translation>
    </message>
    <message>
        <source>Cannot create a socket: %1</source>
        <translation>ソケットを作成できません: %1</translation>
    </message>
    <message>
        <source>Cannot listen at %1: %2</source>
        <translation>%1 で待ち受けできません: %2</translation>
    </message>
</context>
<context>
    <name>ModeWord</name>
    <message>
        <source>RUN</source>
        <translation>動作中</translation>
    </message>
    <message>
        <source>Sleep</source>
        <translation>スリープ</translation>
    </message>
</context>
<context>
    <name>MotionChecks</name>
    <message>
        <source>Object &quot;%1&quot; is not reachable from the Start object and will not be written</source>
        <translation>オブジェクト &quot;%1&quot; はスタートオブジェクトからたどれないため、書き込まれません</translation>
    </message>
    <message>
        <source>Object &quot;%1&quot;: %2 outside the pulse-servo range (%3..%4)</source>
        <translation>オブジェクト &quot;%1&quot;: %2 がパルスサーボの範囲 (%3..%4) の外にあります</translation>
    </message>
    <message>
        <source>Object &quot;%1&quot;: %2 outside the serial-servo range (%3..%4)</source>
        <translation>オブジェクト &quot;%1&quot;: %2 がシリアルサーボの範囲 (%3..%4) の外にあります</translation>
    </message>
    <message>
        <source>Set &quot;%1&quot; jumps to %2, which the motion table shows empty</source>
        <translation>セット &quot;%1&quot; のジャンプ先 %2 は、モーションテーブルでは空になっています</translation>
    </message>
    <message>
        <source>Set &quot;%1&quot; calls %2, which the motion table shows empty</source>
        <translation>セット &quot;%1&quot; の呼び出し先 %2 は、モーションテーブルでは空になっています</translation>
    </message>
    <message>
        <source>Compare &quot;%1&quot; tests the loop counter, but no Set of the loop counter comes before it</source>
        <translation>比較 &quot;%1&quot; はループカウンタを判定しますが、その前にループカウンタを設定するセットがありません</translation>
    </message>
    <message>
        <source>The motion has %1 steps; the board holds %2 at most</source>
        <translation>このモーションは %1 ステップです。ボードに入るのは最大 %2 ステップです</translation>
    </message>
    <message>
        <source>The scenario has %1 motions; the board takes %2 at most</source>
        <translation>このシナリオは %1 モーションです。ボードが受け付けるのは最大 %2 モーションです</translation>
    </message>
</context>
<context>
    <name>MotionCompiler</name>
    <message>
        <source>%1 Branch destination not defined</source>
        <translation>%1 の分岐先が定義されていません</translation>
    </message>
    <message>
        <source>Flow wiring error in %1</source>
        <translation>%1 でフロー配線エラー</translation>
    </message>
    <message>
        <source>No Start object</source>
        <translation>スタートオブジェクトがありません</translation>
    </message>
    <message>
        <source>This motion has %1 steps; a motion of more than %2 steps cannot be written to the board</source>
        <translation>このモーションは %1 ステップです。%2 ステップを超えるモーションはボードに書き込めません</translation>
    </message>
    <message>
        <source>Compile successful</source>
        <translation>コンパイル成功</translation>
    </message>
    <message>
        <source>The MOT object %1 names no motion (M%2)</source>
        <translation>MOT オブジェクト %1 が指すモーション (M%2) はありません</translation>
    </message>
    <message>
        <source>Scenario change succeeded</source>
        <translation>シナリオ変換成功</translation>
    </message>
</context>
<context>
    <name>MotionTable</name>
    <message>
        <source>%1 (not read)</source>
        <translation>%1 (未読込)</translation>
    </message>
</context>
<context>
    <name>MotionTransfer</name>
    <message>
        <source>%1 is no motion slot; the motion slots are M1 to M80</source>
        <translation>%1 はモーションのスロットではありません。モーションのスロットは M1 から M80 までです</translation>
    </message>
    <message>
        <source>This motion has %1 steps; a motion of more than %2 steps cannot be written to the board</source>
        <translation>このモーションは %1 ステップあります。%2 ステップを超えるモーションはボードに書き込めません</translation>
    </message>
    <message>
        <source>A motion of %1 steps written to %2 needs the slots up to M%3, but the last motion slot is M80</source>
        <translation>%2 に書き込む %1 ステップのモーションには M%3 までのスロットが必要ですが、モーションのスロットは M80 までです</translation>
    </message>
    <message>
        <source>As the data to input are more than thirty<byte value="xd"/>
The data of %1 would be deleted. Do you agree with this</source>
        <translation>入力するデータが 30 を超えるため、</translation>
    </message>
    <message>
        <source>PCT is written</source>
        <translation>PCT を書き込みました</translation>
    </message>
    <message>
        <source>Writing of %1 is done</source>
        <translation>%1 番目の書き込みが完了しました</translation>
    </message>
    <message>
        <source>Reading of %1 is done</source>
        <translation>%1 番目の読み込みが完了しました</translation>
    </message>
    <message>
        <source>We can&apos;t write the motion data<byte value="xd"/>
more than 200. Please understand us.</source>
        <translation>200 を超えるモーションデータは</translation>
    </message>
</context>
<context>
    <name>Notifications</name>
    <message>
        <source>[%1]Playback is done</source>
        <translation>[%1]再生が終了しました</translation>
    </message>
</context>
<context>
    <name>ObjectDialogs</name>
    <message>
        <source>%1 Play%2interrupt trigger level%3change exceeds</source>
        <translation>%1 変化量が%2を超えたら%3を再生する</translation>
    </message>
    <message>
        <source>%1: no interrupt motion</source>
        <translation>%1: 割込モーションなし</translation>
    </message>
    <message>
        <source>%1: plays %2 when the change exceeds %3</source>
        <translation>%1: 変化量が %3 を超えたら %2 を再生します</translation>
    </message>
    <message>
        <source>Capture FREE Servo Values</source>
        <translation>教示で計測した値をパラメータにセットする</translation>
    </message>
    <message>
        <source>Set Loop Counter</source>
        <translation>ループカウンタにループ回数をセットする</translation>
    </message>
    <message>
        <source>Set Comparison Register</source>
        <translation>比較レジスタに数値をセットする</translation>
    </message>
    <message>
        <source>Set Sensor Reference Value</source>
        <translation>アナログ入力の基準値を校正する</translation>
    </message>
    <message>
        <source>Timebase</source>
        <translation>出力周期を変更する</translation>
    </message>
    <message>
        <source>Sensor Control Enabled</source>
        <translation>センサーコントロールの切換</translation>
    </message>
    <message>
        <source>Jump</source>
        <translation>モーション・シナリオにジャンプする</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>モーション・シナリオを呼び出す</translation>
    </message>
    <message>
        <source>Call Return</source>
        <translation>呼び出しから戻る</translation>
    </message>
    <message>
        <source>Loop Counter &lt;&gt; 0</source>
        <translation>ループカウンタが０でなければジャンプする</translation>
    </message>
    <message>
        <source>AD1 Change &gt; Comparison Register</source>
        <translation>AD1の変化量 &gt; 比較レジスタならジャンプする</translation>
    </message>
    <message>
        <source>AD2 Change &gt; Comparison Register</source>
        <translation>AD2の変化量 &gt; 比較レジスタならジャンプする</translation>
    </message>
    <message>
        <source>AD3 Change &gt; Comparison Register</source>
        <translation>AD3の変化量 &gt; 比較レジスタならジャンプする</translation>
    </message>
    <message>
        <source>PA1 Change &gt; Comparison Register</source>
        <translation>PA1の変化量 &gt; 比較レジスタならジャンプする</translation>
    </message>
    <message>
        <source>PA2 Change &gt; Comparison Register</source>
        <translation>PA2の変化量 &gt; 比較レジスタならジャンプする</translation>
    </message>
    <message>
        <source>PA3 Change &gt; Comparison Register</source>
        <translation>PA3の変化量 &gt; 比較レジスタならジャンプする</translation>
    </message>
    <message>
        <source>PA4 Change &gt; Comparison Register</source>
        <translation>PA4の変化量 &gt; 比較レジスタならジャンプする</translation>
    </message>
    <message>
        <source>Remote Code = Comparison Register</source>
        <translation>ボタン入力 = 比較レジスタならジャンプ</translation>
    </message>
    <message>
        <source>Remote Code AND Comparison Register &lt;&gt; 0</source>
        <translation>(ボタン入力 AND 比較レジスタ) &lt;&gt; 0 ならジャンプする</translation>
    </message>
</context>
<context>
    <name>PatternActions</name>
    <message>
        <source>The name &quot;%1&quot; cannot be saved: it must not start or end with a blank, start with &quot;;&quot;, contain &quot;=&quot; or characters outside Shift-JIS.</source>
        <translation>名前 &quot;%1&quot; は保存できません。名前の先頭と末尾に空白を置かず、&quot;;&quot; で始めず、&quot;=&quot; やシフトJISにない文字を含めないでください。</translation>
    </message>
    <message>
        <source>Input the name</source>
        <translation>名称を入力してください</translation>
    </message>
    <message>
        <source>%1Do you delete this?</source>
        <translation>%1を削除しますか？</translation>
    </message>
    <message>
        <source>The file could not be read: %1</source>
        <translation>ファイルを読み込めませんでした: %1</translation>
    </message>
    <message>
        <source>The file could not be written: %1</source>
        <translation>ファイルに書き込めませんでした: %1</translation>
    </message>
    <message>
        <source>The file holds no link settings.</source>
        <translation>ファイルにリンクの設定がありません。</translation>
    </message>
    <message>
        <source>The file holds no conversion settings.</source>
        <translation>ファイルに変換の設定がありません。</translation>
    </message>
    <message>
        <source>The link &quot;%1&quot; holds %2 entries instead of 24.</source>
        <translation>リンク &quot;%1&quot; の項目が 24 個ではなく %2 個です。</translation>
    </message>
    <message>
        <source>The conversion &quot;%1&quot; holds %2 entries instead of 24.</source>
        <translation>変換 &quot;%1&quot; の項目が 24 個ではなく %2 個です。</translation>
    </message>
    <message>
        <source>A setting of the same name exists. Overwrite it?</source>
        <translation>同じ名称の設定がありますが、上書きしますか？</translation>
    </message>
</context>
<context>
    <name>PatternStore</name>
    <message>
        <source>New Link</source>
        <translation>新規リンク</translation>
    </message>
    <message>
        <source>the settings file could not be read before, so it is not overwritten</source>
        <translation>設定ファイルを先に読み込めなかったため、上書きしません</translation>
    </message>
</context>
<context>
    <name>PortAccess</name>
    <message>
        <source>permission denied: %1 is open to its owner only; a udev rule must give it to the dialout group (GROUP=&quot;dialout&quot;, MODE=&quot;0660&quot;)</source>
        <translation>アクセスが拒否されました: %1 は所有者しか使えません。udev ルールで dialout グループに割り当ててください (GROUP=&quot;dialout&quot;, MODE=&quot;0660&quot;)</translation>
    </message>
    <message>
        <source>permission denied: %1 belongs to group %2, which you are not in. Join it with &quot;%3&quot;, then log out and in again</source>
        <translation>アクセスが拒否されました: %1 はグループ %2 のものですが、このユーザーはそのグループに入っていません。&quot;%3&quot; で参加してから、ログインし直してください</translation>
    </message>
    <message>
        <source>no such device</source>
        <translation>デバイスがありません</translation>
    </message>
    <message>
        <source>permission denied</source>
        <translation>アクセスが拒否されました</translation>
    </message>
    <message>
        <source>permission denied (group %1)</source>
        <translation>アクセスが拒否されました (グループ %1)</translation>
    </message>
</context>
<context>
    <name>PortEntries</name>
    <message>
        <source>USB serial adapter</source>
        <translation>USB シリアルアダプタ</translation>
    </message>
</context>
<context>
    <name>PortsCommand</name>
    <message>
        <source>ENTRY</source>
        <translation>項目</translation>
    </message>
    <message>
        <source>STATE</source>
        <translation>状態</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>使用可</translation>
    </message>
    <message>
        <source>List the serial ports the editor&apos;s port list offers, and whether you can open them</source>
        <translation>エディターのポート一覧に出るシリアルポートと、それぞれオープンできるかを一覧表示する</translation>
    </message>
    <message>
        <source>Print a JSON array</source>
        <translation>JSON の配列として表示する</translation>
    </message>
    <message>
        <source>Print only the values --port takes, one a line</source>
        <translation>--port に指定できる値だけを 1 行に 1 つずつ表示する</translation>
    </message>
</context>
<context>
    <name>PoseCommands</name>
    <message>
        <source>servo takes pairs of CH VALUE</source>
        <translation>servo には CH VALUE の組を指定してください</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a channel 1..24</source>
        <translation>&apos;%1&apos; は 1..24 のチャンネルではありません</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a servo value (-16383..16383, free, h or l)</source>
        <translation>&apos;%1&apos; はサーボの値 (-16383..16383、free、h、l) ではありません</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a Position object</source>
        <translation>&apos;%1&apos; はポジション配置のオブジェクトではありません</translation>
    </message>
    <message>
        <source>There is no object &apos;%1&apos; in %2</source>
        <translation>%2 にオブジェクト &apos;%1&apos; がありません</translation>
    </message>
    <message>
        <source>The board&apos;s reply could not be used</source>
        <translation>ボードの応答が使えませんでした</translation>
    </message>
    <message>
        <source>The board did not answer (%1)</source>
        <translation>ボードが応答しませんでした (%1)</translation>
    </message>
    <message>
        <source>The board did not answer (%1); it may have been left asleep</source>
        <translation>ボードが応答しませんでした (%1)。ボードがスリープのままになっている可能性があります</translation>
    </message>
    <message>
        <source>The names of channels %1 could not be read (%2)</source>
        <translation>チャンネル %1 の名前を読み込めませんでした (%2)</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not N=TEXT with a channel N of 1..24</source>
        <translation>&apos;%1&apos; は N=TEXT (N は 1..24 のチャンネル) の形ではありません</translation>
    </message>
    <message>
        <source>--rows needs exactly 24 entries, found %1</source>
        <translation>--rows にはちょうど 24 個の項目が必要ですが、%1 個でした</translation>
    </message>
    <message>
        <source>There is no conversion &apos;%1&apos; in PATTERN.ini</source>
        <translation>PATTERN.ini に変換 &apos;%1&apos; がありません</translation>
    </message>
    <message>
        <source>Send live servo words: CH VALUE pairs, VALUE an offset from the centre (-16383..16383) or free, h, l</source>
        <translation>サーボワードを直接送る: CH VALUE の組。VALUE は中央からのオフセット (-16383..16383) または free、h、l</translation>
    </message>
    <message>
        <source>Channel 1..24 and its value</source>
        <translation>チャンネル 1..24 とその値</translation>
    </message>
    <message>
        <source>The board&apos;s live pose: get, set, home, trim, set-home</source>
        <translation>ボードの現在のポーズ: get、set、home、trim、set-home</translation>
    </message>
    <message>
        <source>Print the live pose as speed and 24 words</source>
        <translation>現在のポーズを速度と 24 個のワードで表示する</translation>
    </message>
    <message>
        <source>Send a Position object&apos;s pose, as Write pose does</source>
        <translation>ポジション配置のオブジェクトのポーズを送る (ポーズの書込と同じ)</translation>
    </message>
    <message>
        <source>Store a Position object&apos;s words as the home position</source>
        <translation>ポジション配置のオブジェクトのワードをホームポジションとして保存する</translation>
    </message>
    <message>
        <source>Chart file (.QVB)</source>
        <translation>チャートファイル (.QVB)</translation>
    </message>
    <message>
        <source>Name of the Position object</source>
        <translation>ポジション配置のオブジェクトの名前</translation>
    </message>
    <message>
        <source>Send the robot to its home position</source>
        <translation>ロボットをホームポジションにする</translation>
    </message>
    <message>
        <source>Send the robot to its trim position</source>
        <translation>ロボットをトリムポジションにする</translation>
    </message>
    <message>
        <source>Print the 24 channel names, or set some with --set</source>
        <translation>24 チャンネルの名前を表示する (--set で設定する)</translation>
    </message>
    <message>
        <source>N=TEXT: name channel N (1..24)</source>
        <translation>N=TEXT: チャンネル N (1..24) に名前を付ける</translation>
    </message>
    <message>
        <source>Apply a conversion to the Position, Set and Mix objects of a chart file</source>
        <translation>チャートファイルのポジション配置、設定値配置、ミックスのオブジェクトに変換を適用する</translation>
    </message>
    <message>
        <source>Chart file to read</source>
        <translation>読み込むチャートファイル</translation>
    </message>
    <message>
        <source>Chart file to write</source>
        <translation>書き出すチャートファイル</translation>
    </message>
    <message>
        <source>A conversion saved in PATTERN.ini</source>
        <translation>PATTERN.ini に保存された変換</translation>
    </message>
    <message>
        <source>The 24 conversion entries as comma text</source>
        <translation>24 個の変換項目 (カンマ区切り)</translation>
    </message>
    <message>
        <source>Comma list of object names (default: every object)</source>
        <translation>オブジェクト名のカンマ区切り一覧 (省略時はすべてのオブジェクト)</translation>
    </message>
    <message>
        <source>transform needs --conversion NAME or --rows TEXT</source>
        <translation>transform には --conversion NAME か --rows TEXT が必要です</translation>
    </message>
</context>
<context>
    <name>PrivateDisplay</name>
    <message>
        <source>cannot make a pipe: %1</source>
        <translation>パイプを作成できません: %1</translation>
    </message>
    <message>
        <source>cannot start Xvfb: %1</source>
        <translation>Xvfb を起動できません: %1</translation>
    </message>
    <message>
        <source>cannot start a private X server (Xvfb): is the xvfb package installed?</source>
        <translation>専用の X サーバー (Xvfb) を起動できません。xvfb パッケージはインストールされていますか？</translation>
    </message>
</context>
<context>
    <name>RenderCommand</name>
    <message>
        <source>Draw the robot in a pose of a motion chart into a PNG file: --robot FILE.urdf CHART.QVB [--step N | --time SECONDS] [--view front|side|top] [--size WxH] -o OUT.png</source>
        <translation>モーションチャートのあるポーズのロボットを PNG ファイルに描く: --robot FILE.urdf CHART.QVB [--step N | --time SECONDS] [--view front|side|top] [--size WxH] -o OUT.png</translation>
    </message>
    <message>
        <source>render needs the editor program %1, found neither beside brivane3-cli nor in PATH</source>
        <translation>render にはエディターのプログラム %1 が必要ですが、brivane3-cli と同じ場所にも PATH にも見つかりません</translation>
    </message>
    <message>
        <source>cannot start %1</source>
        <translation>%1 を起動できません</translation>
    </message>
    <message>
        <source>brivane3 --render: draw the robot in a pose of a motion chart into a PNG file</source>
        <translation>brivane3 --render: モーションチャートのポーズでロボットを描き、PNG ファイルに保存します</translation>
    </message>
    <message>
        <source>Render instead of starting the editor</source>
        <translation>エディタを起動せずに描画する</translation>
    </message>
    <message>
        <source>Robot description (.urdf)</source>
        <translation>ロボットの記述 (.urdf)</translation>
    </message>
    <message>
        <source>Motion chart file (.QVB)</source>
        <translation>モーションチャートのファイル (.QVB)</translation>
    </message>
    <message>
        <source>Show the pose after step N (default 1)</source>
        <translation>ステップ N の後のポーズを描く（既定値 1）</translation>
    </message>
    <message>
        <source>Show the preview at SECONDS after Play</source>
        <translation>再生開始から SECONDS 秒後のプレビューを描く</translation>
    </message>
    <message>
        <source>front, side or top</source>
        <translation>front、side または top</translation>
    </message>
    <message>
        <source>Image size WxH (default 640x480)</source>
        <translation>画像サイズ WxH（既定値 640x480）</translation>
    </message>
    <message>
        <source>The PNG file to write</source>
        <translation>書き出す PNG ファイル</translation>
    </message>
    <message>
        <source>--size takes WIDTHxHEIGHT, for example 640x480</source>
        <translation>--size には 幅x高さ を指定してください（例: 640x480）</translation>
    </message>
    <message>
        <source>--size: each side must be 16 to 4096 pixels</source>
        <translation>--size: 各辺は 16 から 4096 ピクセルにしてください</translation>
    </message>
    <message>
        <source>cannot read the chart %1</source>
        <translation>チャート %1 を読み込めません</translation>
    </message>
    <message>
        <source>a scenario chart has no poses to show: give a motion chart</source>
        <translation>シナリオチャートには描けるポーズがありません。モーションチャートを指定してください</translation>
    </message>
    <message>
        <source>the chart has no objects</source>
        <translation>チャートにオブジェクトがありません</translation>
    </message>
    <message>
        <source>the chart does not compile: %1</source>
        <translation>チャートをコンパイルできません: %1</translation>
    </message>
    <message>
        <source>step %1 is never played (the motion has %2 steps)</source>
        <translation>ステップ %1 は再生されません（このモーションは %2 ステップです）</translation>
    </message>
    <message>
        <source>cannot draw the robot: %1</source>
        <translation>ロボットを描画できません: %1</translation>
    </message>
    <message>
        <source>cannot encode the image</source>
        <translation>画像を PNG に変換できません</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 に書き込めません: %2</translation>
    </message>
</context>
<context>
    <name>RestoreCommand</name>
    <message>
        <source>%1: %2 cannot be read; the steps kept in the manifest are written</source>
        <translation>%1: %2 を読み込めません。マニフェストに保存したステップを書き込みます</translation>
    </message>
    <message>
        <source>%1: %2 differs from the backed-up steps from step %3 on; the steps kept in the manifest are written</source>
        <translation>%1: %2 はステップ %3 以降がバックアップしたステップと異なります。マニフェストに保存したステップを書き込みます</translation>
    </message>
    <message>
        <source>%1: %2 differs from the backed-up motion list from step %3 on; the list kept in the manifest is written</source>
        <translation>%1: %2 はステップ %3 以降がバックアップしたモーション一覧と異なります。マニフェストに保存した一覧を書き込みます</translation>
    </message>
    <message>
        <source>Cannot read %1</source>
        <translation>%1 を読み込めません</translation>
    </message>
    <message>
        <source>Cannot read %1: %2</source>
        <translation>%1 を読み込めません: %2</translation>
    </message>
    <message>
        <source>not valid JSON</source>
        <translation>正しい JSON ではありません</translation>
    </message>
    <message>
        <source>The board did not wake up again</source>
        <translation>ボードがスリープから復帰しませんでした</translation>
    </message>
    <message>
        <source>%1 slots read back differently from the backup</source>
        <translation>%1 個のスロットがバックアップと異なって読み戻されました</translation>
    </message>
    <message>
        <source>Every slot was restored and read back the same, but the board did not wake up afterwards (%1); it is still asleep and config.json was not loaded</source>
        <translation>すべてのスロットを書き戻し、同じ内容を読み戻しましたが、その後ボードが復帰しませんでした (%1)。ボードはスリープのままで、config.json は読み込んでいません</translation>
    </message>
    <message>
        <source>Every slot was restored and read back the same, but the board did not wake up afterwards (%1); it is still asleep</source>
        <translation>すべてのスロットを書き戻し、同じ内容を読み戻しましたが、その後ボードが復帰しませんでした (%1)。ボードはスリープのままです</translation>
    </message>
    <message>
        <source>Restored %1 table entries from %2</source>
        <translation>%2 から %1 個のテーブルエントリーを書き戻しました</translation>
    </message>
</context>
<context>
    <name>RestoreSequence</name>
    <message>
        <source>Emptying the table entry of %1 failed</source>
        <translation>%1 のテーブルエントリを空にできませんでした</translation>
    </message>
    <message>
        <source>Reading the table entry of %1 failed: %2</source>
        <translation>%1 のテーブルエントリを読み込めませんでした: %2</translation>
    </message>
    <message>
        <source>%1 %2 reached into the restored slots; its entry was emptied</source>
        <translation>%1 %2 は復元するスロットにかかっていたため、そのエントリを空にしました</translation>
    </message>
    <message>
        <source>Writing step %1 of %2 failed</source>
        <translation>%2 のステップ %1 を書き込めませんでした</translation>
    </message>
    <message>
        <source>Writing %1 failed</source>
        <translation>%1 を書き込めませんでした</translation>
    </message>
    <message>
        <source>Writing the table entry of %1 failed</source>
        <translation>%1 のテーブルエントリを書き込めませんでした</translation>
    </message>
    <message>
        <source>Reading back step %1 of %2 failed</source>
        <translation>%2 のステップ %1 を読み戻せませんでした</translation>
    </message>
    <message>
        <source>%1: step %2 reads back differently</source>
        <translation>%1: ステップ %2 を読み戻すと内容が異なります</translation>
    </message>
    <message>
        <source>Reading back the table entry of %1 failed</source>
        <translation>%1 のテーブルエントリを読み戻せませんでした</translation>
    </message>
    <message>
        <source>%1: the table entry reads back differently</source>
        <translation>%1: テーブルエントリを読み戻すと内容が異なります</translation>
    </message>
    <message>
        <source>The board could not be put to sleep: %1</source>
        <translation>ボードをスリープにできませんでした: %1</translation>
    </message>
</context>
<context>
    <name>RobotChecks</name>
    <message>
        <source>start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>step %1 (%2)</source>
        <translation>ステップ %1 (%2)</translation>
    </message>
    <message>
        <source>%1: CH%2 %3 at %4 m is beyond its limit %5..%6 m</source>
        <translation>%1: CH%2 %3 の %4 m は可動範囲 %5..%6 m を超えています</translation>
    </message>
    <message>
        <source>%1: CH%2 %3 at %4 rad is beyond its limit %5..%6 rad</source>
        <translation>%1: CH%2 %3 の %4 rad は可動範囲 %5..%6 rad を超えています</translation>
    </message>
    <message>
        <source>%1 hits %2 (depth %3)</source>
        <translation>%1 が %2 に接触 (深さ %3)</translation>
    </message>
    <message>
        <source>1 mesh collision shape was left out of the self-collision check</source>
        <translation>メッシュの衝突形状 1 個を自己衝突チェックから除外しました</translation>
    </message>
    <message>
        <source>%1 mesh collision shapes were left out of the self-collision check</source>
        <translation>メッシュの衝突形状 %1 個を自己衝突チェックから除外しました</translation>
    </message>
    <message>
        <source>%1 -&gt; %2, at %3 s: %4</source>
        <translation>%1 -&gt; %2、%3 秒: %4</translation>
    </message>
</context>
<context>
    <name>RobotCommand</name>
    <message>
        <source>robot %1: %2 links, %3 joints, %4 channels</source>
        <translation>ロボット %1: リンク %2 個、関節 %3 個、チャンネル %4 個</translation>
    </message>
    <message>
        <source>Read a robot description (URDF) and list which channel drives which joint</source>
        <translation>ロボットの記述 (URDF) を読み、どのチャンネルがどの関節を動かすかを一覧表示する</translation>
    </message>
    <message>
        <source>Robot description (.urdf)</source>
        <translation>ロボットの記述 (.urdf)</translation>
    </message>
</context>
<context>
    <name>RobotModel</name>
    <message>
        <source>transmission &apos;%1&apos; is of type &apos;%2&apos;; only simple transmissions (one joint, one actuator) can map a channel</source>
        <translation>トランスミッション &apos;%1&apos; の種類は &apos;%2&apos; です。チャンネルに対応付けられるのは単純なトランスミッション (関節 1 つ、アクチュエータ 1 つ) だけです</translation>
    </message>
    <message>
        <source>transmission &apos;%1&apos; needs exactly one &lt;joint&gt;</source>
        <translation>トランスミッション &apos;%1&apos; には &lt;joint&gt; がちょうど 1 つ必要です</translation>
    </message>
    <message>
        <source>transmission &apos;%1&apos; needs exactly one &lt;actuator&gt;</source>
        <translation>トランスミッション &apos;%1&apos; には &lt;actuator&gt; がちょうど 1 つ必要です</translation>
    </message>
    <message>
        <source>transmission &apos;%1&apos; names joint &apos;%2&apos;, which the robot does not have</source>
        <translation>トランスミッション &apos;%1&apos; が指す関節 &apos;%2&apos; はロボットにありません</translation>
    </message>
    <message>
        <source>transmission &apos;%1&apos; drives joint &apos;%2&apos;, which cannot move (fixed, floating or planar)</source>
        <translation>トランスミッション &apos;%1&apos; が駆動する関節 &apos;%2&apos; は動かせません (固定、浮動または平面の関節)</translation>
    </message>
    <message>
        <source>transmission &apos;%1&apos;: actuator name &apos;%2&apos; is not a servo channel CH1 .. CH24</source>
        <translation>トランスミッション &apos;%1&apos;: アクチュエータ名 &apos;%2&apos; はサーボチャンネル CH1 .. CH24 ではありません</translation>
    </message>
    <message>
        <source>transmission &apos;%1&apos;: mechanicalReduction &apos;%2&apos; is not a non-zero number</source>
        <translation>トランスミッション &apos;%1&apos;: mechanicalReduction &apos;%2&apos; は 0 以外の数値ではありません</translation>
    </message>
    <message>
        <source>transmission &apos;%1&apos;: offset &apos;%2&apos; is not a number</source>
        <translation>トランスミッション &apos;%1&apos;: offset &apos;%2&apos; は数値ではありません</translation>
    </message>
    <message>
        <source>transmission &apos;%1&apos; maps CH%2, which the transmission at line %3 already maps to joint &apos;%4&apos;</source>
        <translation>トランスミッション &apos;%1&apos; が対応付ける CH%2 は、%3 行目のトランスミッションが既に関節 &apos;%4&apos; に対応付けています</translation>
    </message>
    <message>
        <source>transmission &apos;%1&apos; drives joint &apos;%2&apos;, which CH%3 already drives (line %4)</source>
        <translation>トランスミッション &apos;%1&apos; が駆動する関節 &apos;%2&apos; は、既に CH%3 が駆動しています (%4 行目)</translation>
    </message>
    <message>
        <source>the robot description is larger than %1 MB</source>
        <translation>ロボット記述が %1 MB を超えています</translation>
    </message>
    <message>
        <source>elements nest more than %1 levels deep</source>
        <translation>要素の入れ子が %1 段を超えています</translation>
    </message>
    <message>
        <source>not well-formed XML (%1)</source>
        <translation>XML の形式が正しくありません (%1)</translation>
    </message>
    <message>
        <source>no &lt;robot&gt; element: this is not a robot description</source>
        <translation>&lt;robot&gt; 要素がありません。ロボット記述ではありません</translation>
    </message>
    <message>
        <source>the robot description cannot be read</source>
        <translation>ロボット記述を読み込めません</translation>
    </message>
    <message>
        <source>the robot has %1 links; at most %2 can be shown</source>
        <translation>ロボットのリンクは %1 個です。表示できるのは最大 %2 個です</translation>
    </message>
    <message>
        <source>the file is larger than %1 MB; a robot description never is</source>
        <translation>ファイルが %1 MB を超えています。ロボット記述がこれほど大きいことはありません</translation>
    </message>
    <message>
        <source>cannot read the file (%1)</source>
        <translation>ファイルを読み込めません (%1)</translation>
    </message>
</context>
<context>
    <name>RobotRender</name>
    <message>
        <source>the 3D stage could not be loaded</source>
        <translation>3D ステージを読み込めませんでした</translation>
    </message>
    <message>
        <source>OpenGL could not draw the scene</source>
        <translation>OpenGL でシーンを描画できませんでした</translation>
    </message>
</context>
<context>
    <name>RuntimeDir</name>
    <message>
        <source>%1; it is not private to this user, so the program keeps no lock or message socket there</source>
        <translation>%1。このユーザー専用の場所ではないため、ロックファイルもメッセージソケットも置きません</translation>
    </message>
    <message>
        <source>The folder %1 cannot be made (%2)</source>
        <translation>フォルダ %1 を作成できません (%2)</translation>
    </message>
    <message>
        <source>The folder %1 cannot be examined (%2)</source>
        <translation>フォルダ %1 を調べられません (%2)</translation>
    </message>
    <message>
        <source>The folder %1 is a symbolic link</source>
        <translation>フォルダ %1 はシンボリックリンクです</translation>
    </message>
    <message>
        <source>The folder %1 is not a folder</source>
        <translation>%1 はフォルダではありません</translation>
    </message>
    <message>
        <source>The folder %1 belongs to another user (uid %2)</source>
        <translation>フォルダ %1 は別のユーザー (uid %2) のものです</translation>
    </message>
    <message>
        <source>The folder %1 has mode %2, not 0700</source>
        <translation>フォルダ %1 のモードが 0700 ではなく %2 です</translation>
    </message>
</context>
<context>
    <name>SafeFile</name>
    <message>
        <source>it is a folder</source>
        <translation>フォルダです</translation>
    </message>
    <message>
        <source>it is a FIFO</source>
        <translation>FIFO です</translation>
    </message>
    <message>
        <source>it is a device</source>
        <translation>デバイスです</translation>
    </message>
    <message>
        <source>it is a socket</source>
        <translation>ソケットです</translation>
    </message>
    <message>
        <source>it is a file, not a folder</source>
        <translation>フォルダではなくファイルです</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>通常のファイルではありません</translation>
    </message>
    <message>
        <source>the file is read-only</source>
        <translation>ファイルが読み取り専用です</translation>
    </message>
    <message>
        <source>write error (disk full?)</source>
        <translation>書き込みエラー（ディスクがいっぱいではありませんか？）</translation>
    </message>
    <message>
        <source>it is larger than 256 MB</source>
        <translation>256 MB を超えています</translation>
    </message>
    <message>
        <source>read error</source>
        <translation>読み込みエラー</translation>
    </message>
    <message>
        <source>it cannot be replaced as a whole</source>
        <translation>まとめて置き換えることができません</translation>
    </message>
    <message>
        <source>already there</source>
        <translation>すでに存在します</translation>
    </message>
    <message>
        <source>nothing to put in place</source>
        <translation>置き換えるものがありません</translation>
    </message>
    <message>
        <source>the new folder could not be moved in place</source>
        <translation>新しいフォルダを所定の場所に移動できませんでした</translation>
    </message>
    <message>
        <source>the old folder could not be moved aside</source>
        <translation>古いフォルダを退避できませんでした</translation>
    </message>
    <message>
        <source>the new folder could not be moved in place and the old one stays at %1</source>
        <translation>新しいフォルダを所定の場所に移動できず、古いフォルダは %1 に残っています</translation>
    </message>
    <message>
        <source>the new folder could not be moved in place; the old one is back</source>
        <translation>新しいフォルダを所定の場所に移動できなかったため、古いフォルダを元に戻しました</translation>
    </message>
</context>
<context>
    <name>SelectPort</name>
    <message>
        <source>No Connection</source>
        <translation>未接続</translation>
    </message>
    <message>
        <source>%1 OK</source>
        <translation>%1 OK</translation>
    </message>
    <message>
        <source>%1 can&apos;t be opened: permission denied</source>
        <translation>%1 を開けません: アクセスが拒否されました</translation>
    </message>
    <message>
        <source>%1 does not exist</source>
        <translation>%1 は存在しません</translation>
    </message>
</context>
<context>
    <name>SelfCollision</name>
    <message>
        <source>%1: package paths are not looked up</source>
        <translation>%1: package パスは参照しません</translation>
    </message>
    <message>
        <source>%1: only STL meshes are read</source>
        <translation>%1: 読めるのは STL メッシュだけです</translation>
    </message>
    <message>
        <source>%1: not read, the robot was not read from a file</source>
        <translation>%1: ロボットがファイルから読まれていないため読みません</translation>
    </message>
</context>
<context>
    <name>SensorCommands</name>
    <message>
        <source>The board did not answer (analog report not switched on)</source>
        <translation>ボードが応答しませんでした (アナログの通知をオンにできませんでした)</translation>
    </message>
    <message>
        <source>The board did not answer (receiver report not switched on)</source>
        <translation>ボードが応答しませんでした (受信機の通知をオンにできませんでした)</translation>
    </message>
    <message>
        <source>The serial port is gone; the board may still be sending its reports</source>
        <translation>シリアルポートがなくなりました。ボードは通知を送り続けている可能性があります</translation>
    </message>
    <message>
        <source>The board did not answer (the reports may still be on)</source>
        <translation>ボードが応答しませんでした (通知がオンのままの可能性があります)</translation>
    </message>
    <message>
        <source>The board&apos;s reply could not be used</source>
        <translation>ボードの応答が使えませんでした</translation>
    </message>
    <message>
        <source>Print the analog and remote-control reports as they arrive (Ctrl+C stops)</source>
        <translation>アナログと受信機の通知を届いたとおりに表示する (Ctrl+C で終了)</translation>
    </message>
    <message>
        <source>Stop after N reports (0: until interrupted)</source>
        <translation>N 件の通知で終了する (0: 中断するまで)</translation>
    </message>
    <message>
        <source>Print the stored analog-input settings as JSON</source>
        <translation>保存されたアナログ入力の設定を JSON で表示する</translation>
    </message>
    <message>
        <source>Print the stored transmitter references as JSON</source>
        <translation>保存された送信機の基準値を JSON で表示する</translation>
    </message>
</context>
<context>
    <name>SensorDialogs</name>
    <message>
        <source>Connection failed</source>
        <translation>通信に失敗しました</translation>
    </message>
</context>
<context>
    <name>ServoList</name>
    <message>
        <source>Reboot the QVB-3 to change to mode</source>
        <translation>モードを切り替えるには QVB-3 の電源を入れ直してください</translation>
    </message>
</context>
<context>
    <name>ServoRecord</name>
    <message>
        <source>1 (SOFT)</source>
        <translation>1 (ソフト)</translation>
    </message>
    <message>
        <source>3 (MID)</source>
        <translation>3 (中)</translation>
    </message>
    <message>
        <source>5 (HARD)</source>
        <translation>5 (ハード)</translation>
    </message>
    <message>
        <source>1 (SLOW)</source>
        <translation>1 (遅い)</translation>
    </message>
    <message>
        <source>2 (MID)</source>
        <translation>2 (中)</translation>
    </message>
    <message>
        <source>3 (FAST)</source>
        <translation>3 (速い)</translation>
    </message>
    <message>
        <source>1 (LOW)</source>
        <translation>1 (弱)</translation>
    </message>
    <message>
        <source>10 (HIGH)</source>
        <translation>10 (強)</translation>
    </message>
    <message>
        <source>1 (MIN)</source>
        <translation>1 (最小)</translation>
    </message>
    <message>
        <source>5 (MAX)</source>
        <translation>5 (最大)</translation>
    </message>
    <message>
        <source>10 (MAX)</source>
        <translation>10 (最大)</translation>
    </message>
    <message>
        <source>1 (FAST)</source>
        <translation>1 (速い)</translation>
    </message>
    <message>
        <source>3 (SLOW)</source>
        <translation>3 (遅い)</translation>
    </message>
    <message>
        <source>No</source>
        <translation>番号</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Servo</source>
        <translation>サーボ</translation>
    </message>
    <message>
        <source>Stretch1</source>
        <translation>ストレッチ1</translation>
    </message>
    <message>
        <source>Speed1</source>
        <translation>スピード1</translation>
    </message>
    <message>
        <source>Stretch2</source>
        <translation>ストレッチ2</translation>
    </message>
    <message>
        <source>Speed2</source>
        <translation>スピード2</translation>
    </message>
    <message>
        <source>Stretch3</source>
        <translation>ストレッチ3</translation>
    </message>
    <message>
        <source>Speed3</source>
        <translation>スピード3</translation>
    </message>
    <message>
        <source>Punch</source>
        <translation>パンチ</translation>
    </message>
    <message>
        <source>DeadBand</source>
        <translation>デッドバンド</translation>
    </message>
    <message>
        <source>Damping</source>
        <translation>ダンピング</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>リバース</translation>
    </message>
    <message>
        <source>Protection</source>
        <translation>プロテクション</translation>
    </message>
    <message>
        <source>PowerFree</source>
        <translation>脱力タイマー</translation>
    </message>
    <message>
        <source>Limit(L)</source>
        <translation>リミッタ(L)</translation>
    </message>
    <message>
        <source>Limit(R)</source>
        <translation>リミッタ(R)</translation>
    </message>
    <message>
        <source>OffSet</source>
        <translation>オフセット</translation>
    </message>
    <message>
        <source>SIO</source>
        <translation>SIO</translation>
    </message>
</context>
<context>
    <name>ShellSettings</name>
    <message>
        <source>it is not text</source>
        <translation>テキストファイルではありません</translation>
    </message>
    <message>
        <source>The settings file %1 can&apos;t be read (%2); it is left as it is and the settings are not saved</source>
        <translation>設定ファイル %1 を読み込めません（%2）。ファイルはそのまま残し、設定は保存しません</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>The lock file %1 cannot be used (%2)</source>
        <translation>ロックファイル %1 を使用できません (%2)</translation>
    </message>
    <message>
        <source>The lock file %1 is not this user&apos;s file</source>
        <translation>ロックファイル %1 はこのユーザーのファイルではありません</translation>
    </message>
</context>
<context>
    <name>SlotLists</name>
    <message>
        <source>The motion table has not been read from the board yet: a slot marked (not read) may hold a motion or a scenario.</source>
        <translation>モーションテーブルはまだボードから読み込まれていません。(未読込) のスロットにはモーションまたはシナリオが入っている可能性があります。</translation>
    </message>
    <message>
        <source>Some rows of the motion table have not been read from the board: a slot marked (not read) may hold a motion or a scenario.</source>
        <translation>モーションテーブルの一部の行がボードから読み込まれていません。(未読込) のスロットにはモーションまたはシナリオが入っている可能性があります。</translation>
    </message>
    <message>
        <source>Read the table</source>
        <translation>テーブルを読み込む</translation>
    </message>
    <message>
        <source>Read the motion table from the board now?

The board sleeps while its table is read, so the servos let go and the robot goes limp.</source>
        <translation>今すぐボードからモーションテーブルを読み込みますか？

読み込みの間ボードはスリープするため、サーボの力が抜けてロボットが脱力します。</translation>
    </message>
    <message>
        <source>The motion table could not be read</source>
        <translation>モーションテーブルを読み込めませんでした</translation>
    </message>
</context>
<context>
    <name>StlMesh</name>
    <message>
        <source>triangle %1 has a corner that is not a number</source>
        <translation>三角形 %1 の頂点に数でない値があります</translation>
    </message>
    <message>
        <source>line %1: &apos;%2&apos; expected</source>
        <translation>%1 行目: &apos;%2&apos; が必要です</translation>
    </message>
    <message>
        <source>a number</source>
        <translation>数</translation>
    </message>
    <message>
        <source>more than %1 triangles; a collision mesh never has</source>
        <translation>三角形が %1 個を超えています。衝突メッシュでこれほど多いことはありません</translation>
    </message>
    <message>
        <source>the mesh has no triangles</source>
        <translation>メッシュに三角形がありません</translation>
    </message>
    <message>
        <source>the file is larger than %1 MB</source>
        <translation>ファイルが %1 MB を超えています</translation>
    </message>
    <message>
        <source>the file claims %1 triangles, which take %2 bytes, but has %3</source>
        <translation>ファイルは三角形 %1 個 (%2 バイト) を示していますが、大きさは %3 バイトです</translation>
    </message>
    <message>
        <source>not an STL file (too short, no &apos;solid&apos;)</source>
        <translation>STL ファイルではありません (短すぎるか &apos;solid&apos; がありません)</translation>
    </message>
    <message>
        <source>cannot read the file (%1)</source>
        <translation>ファイルを読めません (%1)</translation>
    </message>
</context>
<context>
    <name>ToolWindows</name>
    <message>
        <source>Trim</source>
        <translation>トリム調整</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>Analog</source>
        <translation>アナログ</translation>
    </message>
    <message>
        <source>SVL</source>
        <translation>ＳＶＬ</translation>
    </message>
    <message>
        <source>Receiver</source>
        <translation>受信機</translation>
    </message>
</context>
<context>
    <name>Transact</name>
    <message>
        <source>no fault</source>
        <translation>異常なし</translation>
    </message>
    <message>
        <source>the board did not answer</source>
        <translation>ボードが応答しませんでした</translation>
    </message>
    <message>
        <source>the board&apos;s reply was short</source>
        <translation>ボードの応答が途中で途切れました</translation>
    </message>
    <message>
        <source>the board&apos;s reply had a bad checksum</source>
        <translation>ボードの応答のチェックサムが正しくありません</translation>
    </message>
    <message>
        <source>the board refused the command (NAK)</source>
        <translation>ボードがコマンドを拒否しました (NAK)</translation>
    </message>
    <message>
        <source>the serial port is gone</source>
        <translation>シリアルポートがなくなりました</translation>
    </message>
    <message>
        <source>unknown fault</source>
        <translation>不明な異常</translation>
    </message>
</context>
<context>
    <name>TransferCommands</name>
    <message>
        <source>--slot must be M1 ... M80 or S1 ... S5, not &quot;%1&quot;</source>
        <translation>--slot には &quot;%1&quot; ではなく M1 ... M80 または S1 ... S5 を指定してください</translation>
    </message>
    <message>
        <source>Write cancelled</source>
        <translation>書込をキャンセルしました</translation>
    </message>
    <message>
        <source>Write failed: %1</source>
        <translation>書込に失敗しました: %1</translation>
    </message>
    <message>
        <source>Write: every step was written and acknowledged, but the board did not wake up afterwards (%1); it is still asleep</source>
        <translation>書込: すべてのステップを書き込み、受け付けられましたが、その後ボードが復帰しませんでした (%1)。ボードはスリープのままです</translation>
    </message>
    <message>
        <source>Read cancelled</source>
        <translation>読込をキャンセルしました</translation>
    </message>
    <message>
        <source>Read failed: %1</source>
        <translation>読込に失敗しました: %1</translation>
    </message>
    <message>
        <source>Read: every step was written and acknowledged, but the board did not wake up afterwards (%1); it is still asleep</source>
        <translation>読込: すべてのステップを書き込み、受け付けられましたが、その後ボードが復帰しませんでした (%1)。ボードはスリープのままです</translation>
    </message>
    <message>
        <source>Delete cancelled</source>
        <translation>削除をキャンセルしました</translation>
    </message>
    <message>
        <source>Delete failed: %1</source>
        <translation>削除に失敗しました: %1</translation>
    </message>
    <message>
        <source>Delete: every step was written and acknowledged, but the board did not wake up afterwards (%1); it is still asleep</source>
        <translation>削除: すべてのステップを書き込み、受け付けられましたが、その後ボードが復帰しませんでした (%1)。ボードはスリープのままです</translation>
    </message>
    <message>
        <source>The slot is empty</source>
        <translation>スロットは空です</translation>
    </message>
    <message>
        <source>A scenario chart is written to S1 ... S5</source>
        <translation>シナリオのチャートは S1 ... S5 に書き込みます</translation>
    </message>
    <message>
        <source>A motion chart is written to M1 ... M80</source>
        <translation>モーションのチャートは M1 ... M80 に書き込みます</translation>
    </message>
    <message>
        <source>The chart has no objects</source>
        <translation>チャートにオブジェクトがありません</translation>
    </message>
    <message>
        <source>Write cancelled: the chart has warnings</source>
        <translation>書込をキャンセルしました: チャートに警告があります</translation>
    </message>
    <message>
        <source>The board may have been left asleep</source>
        <translation>ボードがスリープのままになっている可能性があります</translation>
    </message>
    <message>
        <source>Cannot write %1</source>
        <translation>%1 に書き込めません</translation>
    </message>
</context>
<context>
    <name>Trim</name>
    <message>
        <source>The designated file can&apos;t be used</source>
        <translation>指定されたファイルは使用できません</translation>
    </message>
    <message>
        <source>It can&apos;t be kept in the designated place</source>
        <translation>指定された場所に保存できません</translation>
    </message>
</context>
<context>
    <name>WindowMessages</name>
    <message>
        <source>Sending the Play command</source>
        <translation>再生コマンドを送信しています</translation>
    </message>
    <message>
        <source>Sending the expanded low speed serial</source>
        <translation>拡張低速シリアルを送信しています</translation>
    </message>
</context>
<context>
    <name>WriteWarnings</name>
    <message>
        <source>warning: %1</source>
        <translation>警告: %1</translation>
    </message>
    <message>
        <source>Write anyway?</source>
        <translation>このまま書き込みますか？</translation>
    </message>
    <message>
        <source>Do not ask again for this chart</source>
        <translation>このチャートでは今後確認しない</translation>
    </message>
</context>
<context>
    <name>brv3::CanvasWidget</name>
    <message>
        <source>Color</source>
        <translation>色</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>アイテム保存</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>アイテムを開く</translation>
    </message>
    <message>
        <source>The position editor is not available yet</source>
        <translation>ポジションエディタはまだ使えません</translation>
    </message>
    <message>
        <source>The Set dialog is not available yet</source>
        <translation>設定値ダイアログはまだ使えません</translation>
    </message>
    <message>
        <source>The Compare dialog is not available yet</source>
        <translation>分岐ダイアログはまだ使えません</translation>
    </message>
    <message>
        <source>The mixing dialog is not available yet</source>
        <translation>ミキシングダイアログはまだ使えません</translation>
    </message>
    <message>
        <source>The data dialog is not available yet</source>
        <translation>データダイアログはまだ使えません</translation>
    </message>
    <message>
        <source>The link/convert dialog is not available yet</source>
        <translation>リンク・変換ダイアログはまだ使えません</translation>
    </message>
</context>
<context>
    <name>brv3::CommPortCombo</name>
    <message>
        <source>%1 (unplugged)</source>
        <translation>%1（取り外し中）</translation>
    </message>
    <message>
        <source>COM Port</source>
        <translation>COMポート</translation>
    </message>
    <message>
        <source>No port</source>
        <translation>ポートなし</translation>
    </message>
</context>
<context>
    <name>brv3::CurvesDock</name>
    <message>
        <source>Curves</source>
        <translation>カーブ</translation>
    </message>
    <message>
        <source>Click a channel to hide or show its line</source>
        <translation>チャンネルをクリックすると、その線の表示・非表示を切り替えます</translation>
    </message>
    <message>
        <source>A scenario chart has no curves</source>
        <translation>シナリオチャートにはカーブがありません</translation>
    </message>
    <message>
        <source>The chart has no objects</source>
        <translation>チャートにオブジェクトがありません</translation>
    </message>
    <message>
        <source>The chart does not compile</source>
        <translation>チャートをコンパイルできません</translation>
    </message>
    <message>
        <source>The motion has %1 steps, too many to plot (a motion holds %2)</source>
        <translation>モーションが %1 ステップあり、グラフにできません（1 モーションは最大 %2 ステップです）</translation>
    </message>
    <message>
        <source>step</source>
        <translation>ステップ</translation>
    </message>
    <message>
        <source>offset</source>
        <translation>オフセット</translation>
    </message>
    <message>
        <source>selected</source>
        <translation>選択中</translation>
    </message>
    <message>
        <source>played</source>
        <translation>再生位置</translation>
    </message>
    <message>
        <source>speed</source>
        <translation>スピード</translation>
    </message>
</context>
<context>
    <name>brv3::MainMenus</name>
    <message>
        <source>&amp;Language</source>
        <translation>言語(&amp;L)</translation>
    </message>
    <message>
        <source>Follow the &amp;System</source>
        <translation>システムに合わせる(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>新規(&amp;N)</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>開く(&amp;O)...</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>最近使ったファイル(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>名前を付けて保存(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>終了(&amp;Q)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>元に戻す(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>やり直し(&amp;R)</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>切り取り(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>コピー(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>貼り付け(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>削除(&amp;D)</translation>
    </message>
    <message>
        <source>Select &amp;All</source>
        <translation>全選択(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Insert...</source>
        <translation>分割(&amp;I)...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>表示(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;Grid</source>
        <translation>グリッド(&amp;G)</translation>
    </message>
    <message>
        <source>&amp;Toolbars</source>
        <translation>ツールバー(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>ツール(&amp;T)</translation>
    </message>
    <message>
        <source>&amp;Communication</source>
        <translation>通信設定(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Parts</source>
        <translation>パーツ(&amp;P)</translation>
    </message>
    <message>
        <source>Co&amp;mmands</source>
        <translation>コマンド(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Curves</source>
        <translation>カーブ(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Robot</source>
        <translation>ロボット(&amp;R)</translation>
    </message>
    <message>
        <source>Robot &amp;Model...</source>
        <translation>ロボットモデル(&amp;M)...</translation>
    </message>
    <message>
        <source>Zoom &amp;In</source>
        <translation>拡大(&amp;I)</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>縮小(&amp;O)</translation>
    </message>
    <message>
        <source>&amp;Actual Size</source>
        <translation>実寸(&amp;A)</translation>
    </message>
    <message>
        <source>The language could not be kept in BRV3.ini</source>
        <translation>言語の設定を BRV3.ini に保存できませんでした</translation>
    </message>
    <message>
        <source>The language changes completely when Brivane 3 starts the next time.</source>
        <translation>言語は Brivane 3 を次に起動したときにすべて切り替わります。</translation>
    </message>
    <message>
        <source>&amp;Board</source>
        <translation>ボード(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Port</source>
        <translation>ポート(&amp;P)</translation>
    </message>
    <message>
        <source>&amp;Sync</source>
        <translation>シンクロ(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About Brivane 3</source>
        <translation>Brivane 3 について(&amp;A)</translation>
    </message>
    <message>
        <source>Save the changes to the chart first?</source>
        <translation>先にチャートの変更を保存しますか？</translation>
    </message>
    <message>
        <source>Save the changes to %1 first?</source>
        <translation>先に %1 の変更を保存しますか？</translation>
    </message>
    <message>
        <source>Unsaved changes</source>
        <translation>未保存の変更</translation>
    </message>
    <message>
        <source>%1: not available yet</source>
        <translation>%1: まだ使えません</translation>
    </message>
</context>
<context>
    <name>brv3::ObjectEditors</name>
    <message>
        <source>Robot Model</source>
        <translation>ロボットモデル</translation>
    </message>
    <message>
        <source>Robot descriptions (*.urdf);;All files (*)</source>
        <translation>ロボットの記述 (*.urdf);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>The robot model was not changed.
%1</source>
        <translation>ロボットモデルは変更されませんでした。
%1</translation>
    </message>
    <message>
        <source>Robot model: %1</source>
        <translation>ロボットモデル: %1</translation>
    </message>
</context>
<context>
    <name>brv3::RobotDock</name>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>Robot</source>
        <translation>ロボット</translation>
    </message>
    <message>
        <source>Play the motion on the robot</source>
        <translation>モーションをロボットで再生</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>一時停止</translation>
    </message>
    <message>
        <source>Stop and go back to the start</source>
        <translation>停止して最初に戻る</translation>
    </message>
    <message>
        <source>View</source>
        <translation>視点</translation>
    </message>
    <message>
        <source>&amp;Front</source>
        <translation>正面(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Side</source>
        <translation>側面(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Top</source>
        <translation>上面(&amp;T)</translation>
    </message>
    <message>
        <source>A scenario chart cannot be previewed: open a motion chart.</source>
        <translation>シナリオチャートはプレビューできません。モーションチャートを開いてください。</translation>
    </message>
    <message>
        <source>Nothing to play: the chart has no objects.</source>
        <translation>再生するものがありません。チャートにオブジェクトがありません。</translation>
    </message>
    <message>
        <source>The chart does not compile: %1</source>
        <translation>チャートをコンパイルできません: %1</translation>
    </message>
    <message>
        <source>Inputs...</source>
        <translation>入力...</translation>
    </message>
    <message>
        <source>What the preview&apos;s board reads: analog inputs, a remote button, the loop counter</source>
        <translation>プレビューのボードが読む値: アナログ入力、リモコンのボタン、ループカウンタ</translation>
    </message>
</context>
<context>
    <name>brv3::RobotView</name>
    <message>
        <source>The 3D view needs OpenGL, which the &quot;%1&quot; display has not.</source>
        <translation>3D 表示には OpenGL が必要ですが、ディスプレイ「%1」では使えません。</translation>
    </message>
    <message>
        <source>The 3D view needs OpenGL (a graphics driver or Mesa), which failed to start.</source>
        <translation>3D 表示には OpenGL（グラフィックドライバまたは Mesa）が必要ですが、起動できませんでした。</translation>
    </message>
    <message>
        <source>The 3D view could not be loaded: %1</source>
        <translation>3D 表示を読み込めませんでした: %1</translation>
    </message>
</context>
<context>
    <name>brv3::TAdDlg</name>
    <message>
        <source>Analog</source>
        <translation>アナログ</translation>
    </message>
    <message>
        <source>Input 1</source>
        <translation>入力１ [AD1]</translation>
    </message>
    <message>
        <source>Input 2</source>
        <translation>入力２ [AD2]</translation>
    </message>
    <message>
        <source>Input 3</source>
        <translation>入力３ [AD3]</translation>
    </message>
    <message>
        <source>Real time mixing</source>
        <translation>リアルタイムミキシング</translation>
    </message>
    <message>
        <source>Base Level Settiong</source>
        <translation>基準設定</translation>
    </message>
    <message>
        <source>AUTO</source>
        <translation>AUTO</translation>
    </message>
    <message>
        <source>Ref</source>
        <translation>基準値</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>測定値</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>変化量</translation>
    </message>
    <message>
        <source>Play motion on sensor interrupt</source>
        <translation>センサー割込でのモーション再生</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>変化量が</translation>
    </message>
    <message>
        <source>interrupt trigger level</source>
        <translation>を超えたら</translation>
    </message>
    <message>
        <source>change exceeds</source>
        <translation>を再生する</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
</context>
<context>
    <name>brv3::TBrivane3</name>
    <message>
        <source>EDIT %1</source>
        <translation>編集 %1</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>読込</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Properties</source>
        <translation>環境設定</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>インフォメーション</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>元に戻す</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>やり直し</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Tools</source>
        <translation>ツール</translation>
    </message>
    <message>
        <source>Table</source>
        <translation>テーブル</translation>
    </message>
    <message>
        <source>COMM</source>
        <translation>通信</translation>
    </message>
    <message>
        <source>SYNC</source>
        <translation>シンクロ</translation>
    </message>
    <message>
        <source>SYNC</source>
        <comment>hint</comment>
        <translation>シンクロ</translation>
    </message>
    <message>
        <source>PARTS</source>
        <translation>パーツ</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>選択</translation>
    </message>
    <message>
        <source>GRID</source>
        <translation>GRID</translation>
    </message>
    <message>
        <source>Grid</source>
        <translation>グリッド</translation>
    </message>
    <message>
        <source>Start Flag</source>
        <translation>始点配置</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>ポジション配置</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>設定値配置</translation>
    </message>
    <message>
        <source>Mix</source>
        <translation>ミキシング配置</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>分岐配置</translation>
    </message>
    <message>
        <source>Flow Wiring</source>
        <translation>接続配線</translation>
    </message>
    <message>
        <source>Branch Wiring</source>
        <translation>分岐配線</translation>
    </message>
    <message>
        <source>Compile</source>
        <translation>コンパイル</translation>
    </message>
    <message>
        <source>Commad</source>
        <translation>コマンド</translation>
    </message>
    <message>
        <source>Home position</source>
        <translation>ホームポジション</translation>
    </message>
    <message>
        <source>Trim Position</source>
        <translation>トリムポジション</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>書込</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>読込</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>消去</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>一時停止</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>再生</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>ステータス</translation>
    </message>
    <message>
        <source>LIST</source>
        <translation>リスト</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>元に戻す: %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>やり直し: %1</translation>
    </message>
    <message>
        <source>No title</source>
        <translation>無題</translation>
    </message>
    <message>
        <source>Okay to close?</source>
        <translation>終了してもよろしいですか？</translation>
    </message>
</context>
<context>
    <name>brv3::TDataDlg</name>
    <message>
        <source>DataDialog</source>
        <translation>データ設定</translation>
    </message>
    <message>
        <source>Data name</source>
        <translation>データ名</translation>
    </message>
    <message>
        <source>Remote Control Code</source>
        <translation>コントロール入力</translation>
    </message>
    <message>
        <source>Capture</source>
        <translation>受信</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>brv3::TFormDlg</name>
    <message>
        <source>Properties</source>
        <translation>環境設定</translation>
    </message>
    <message>
        <source>Display QVB file icon</source>
        <translation>QVBのファイルアイコンを表示する</translation>
    </message>
    <message>
        <source>Tool menu</source>
        <translation>ツールメニュー</translation>
    </message>
    <message>
        <source>Object menu</source>
        <translation>パーツメニュー</translation>
    </message>
    <message>
        <source>Communication menu</source>
        <translation>通信設定</translation>
    </message>
    <message>
        <source>Command menu</source>
        <translation>コマンドメニュー</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>横幅</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高さ</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>広さ</translation>
    </message>
    <message>
        <source>Grid Size</source>
        <translation>グリッドの間隔</translation>
    </message>
    <message>
        <source>X</source>
        <translation>X</translation>
    </message>
    <message>
        <source>Y</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
</context>
<context>
    <name>brv3::THomeDlg</name>
    <message>
        <source>QVB file (*.QVB);;Show all files (*.*)</source>
        <translation>QVBファイル (*.QVB);;全てのファイルを表示する (*.*)</translation>
    </message>
    <message>
        <source>TrimDialog</source>
        <translation>トリム調整</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>読込</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
</context>
<context>
    <name>brv3::TInfoDlg</name>
    <message>
        <source>QVB-3 motion editor</source>
        <translation>QVB-3 モーションエディタ</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>インフォメーション</translation>
    </message>
    <message>
        <source>ProgramName</source>
        <translation>プログラム名</translation>
    </message>
    <message>
        <source>Publisher</source>
        <translation>発行元</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>バージョン</translation>
    </message>
</context>
<context>
    <name>brv3::TItemProperty</name>
    <message>
        <source>Auto</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>横幅</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>高さ</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a valid integer value</source>
        <translation>「%1」は整数ではありません</translation>
    </message>
</context>
<context>
    <name>brv3::TOptDlg</name>
    <message>
        <source>OFF</source>
        <translation>OFF</translation>
    </message>
    <message>
        <source>Option</source>
        <translation>オプション</translation>
    </message>
    <message>
        <source>Motion replay</source>
        <translation>モーション再生終了時に返事をもらう</translation>
    </message>
    <message>
        <source>Enable remote control</source>
        <translation>送信機でのモーション・シナリオ再生を有効にする</translation>
    </message>
    <message>
        <source>Enable ZLT-1</source>
        <translation>ZLT1から制御する</translation>
    </message>
    <message>
        <source>Start switch motion</source>
        <translation>スタートスイッチでモーション・シナリオを再生する</translation>
    </message>
    <message>
        <source>Power-up motion</source>
        <translation>電源投入時にモーション・シナリオを再生する</translation>
    </message>
    <message>
        <source>Low Power motion</source>
        <translation>電源電圧低下時にモーション・シナリオを再生する</translation>
    </message>
    <message>
        <source>Timebase</source>
        <translation>出力周期</translation>
    </message>
    <message>
        <source>Serial mode</source>
        <translation>シリアルサーボ</translation>
    </message>
    <message>
        <source>Reboot the QVB-3 to change to SVL mode</source>
        <translation>設定を切り替えたときは電源を入れ直してください</translation>
    </message>
    <message>
        <source>SVL</source>
        <translation>SVL機能</translation>
    </message>
</context>
<context>
    <name>brv3::TPortDlg</name>
    <message>
        <source>QVB file (*.QVB);;Show all files (*.*)</source>
        <translation>QVBファイル (*.QVB);;全てのファイルを表示する (*.*)</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>削除</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Convert</source>
        <translation>変換</translation>
    </message>
    <message>
        <source>Change of the name</source>
        <translation>名前の変更</translation>
    </message>
    <message>
        <source>Display Scale Factor</source>
        <translation>表示レート設定</translation>
    </message>
    <message>
        <source>Link Editing</source>
        <translation>リンクの編集</translation>
    </message>
    <message>
        <source>PATTERN.ini cannot be read; links and conversions are not kept: %1</source>
        <translation>PATTERN.ini を読み込めないため、リンクと変換は保存されません: %1</translation>
    </message>
    <message>
        <source>PATTERN.ini: %1</source>
        <translation>PATTERN.ini: %1</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
</context>
<context>
    <name>brv3::TPreviewInputsDlg</name>
    <message>
        <source>Preview inputs</source>
        <translation>プレビューの入力</translation>
    </message>
    <message>
        <source>Analog input %1</source>
        <translation>アナログ入力 %1</translation>
    </message>
    <message>
        <source>A remote-control button is held</source>
        <translation>リモコンのボタンが押されている</translation>
    </message>
    <message>
        <source>Its code</source>
        <translation>そのコード</translation>
    </message>
    <message>
        <source>Loop counter at the start</source>
        <translation>開始時のループカウンタ</translation>
    </message>
</context>
<context>
    <name>brv3::TPrmDlg</name>
    <message>
        <source>Write to QVB-3</source>
        <translation>QVB-3に書き込む</translation>
    </message>
    <message>
        <source>Read form QVB-3</source>
        <translation>QVB-3から読み込む</translation>
    </message>
    <message>
        <source>Home position</source>
        <translation>ホームポジション</translation>
    </message>
    <message>
        <source>Trim Position</source>
        <translation>トリムポジションに戻します</translation>
    </message>
    <message>
        <source>Sleep</source>
        <translation>スリープモード</translation>
    </message>
    <message>
        <source>Snapshot</source>
        <translation>FREEの出力から角度を取り込む</translation>
    </message>
    <message>
        <source>Increment Link</source>
        <translation>リンク動作</translation>
    </message>
    <message>
        <source>Set Home Position</source>
        <translation>ホームポジションにする</translation>
    </message>
    <message>
        <source>Panel Display</source>
        <translation>表示</translation>
    </message>
    <message>
        <source>Color</source>
        <translation>色</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Display Scale Factor</source>
        <translation>表示レート設定</translation>
    </message>
    <message>
        <source>Background Image</source>
        <translation>背景画の設定</translation>
    </message>
    <message>
        <source>Display Background</source>
        <translation>背景の表示</translation>
    </message>
    <message>
        <source>Panel Lock</source>
        <translation>パネルの固定</translation>
    </message>
    <message>
        <source>There is no designated background image</source>
        <translation>指定された背景画がありません</translation>
    </message>
    <message>
        <source>There is no designated background image (%1)</source>
        <translation>指定された背景画がありません（%1）</translation>
    </message>
</context>
<context>
    <name>brv3::TPropoDlg</name>
    <message>
        <source>PropoDlg</source>
        <translation>受信機</translation>
    </message>
    <message>
        <source>AUTO</source>
        <translation>AUTO</translation>
    </message>
    <message>
        <source>Ref</source>
        <translation>基準値</translation>
    </message>
    <message>
        <source>Measure</source>
        <translation>測定値</translation>
    </message>
    <message>
        <source>Amount</source>
        <translation>変化量</translation>
    </message>
    <message>
        <source>Input with buttons</source>
        <translation>ボタン入力</translation>
    </message>
</context>
<context>
    <name>brv3::TSVLDlg</name>
    <message>
        <source>SVL</source>
        <translation>SVL</translation>
    </message>
    <message>
        <source>Load</source>
        <translation>読込</translation>
    </message>
</context>
<context>
    <name>brv3::TSVLPrm</name>
    <message>
        <source>Stretch</source>
        <translation>ストレッチ</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>スピード</translation>
    </message>
    <message>
        <source>Stretch1</source>
        <translation>ストレッチ1</translation>
    </message>
    <message>
        <source>Speed1</source>
        <translation>スピード1</translation>
    </message>
    <message>
        <source>Stretch2</source>
        <translation>ストレッチ2</translation>
    </message>
    <message>
        <source>Speed2</source>
        <translation>スピード2</translation>
    </message>
    <message>
        <source>Stretch3</source>
        <translation>ストレッチ3</translation>
    </message>
    <message>
        <source>Speed3</source>
        <translation>スピード3</translation>
    </message>
    <message>
        <source>Punch</source>
        <translation>パンチ</translation>
    </message>
    <message>
        <source>Dead band</source>
        <translation>デッドバンド</translation>
    </message>
    <message>
        <source>Dumping</source>
        <translation>ダンピング</translation>
    </message>
    <message>
        <source>Reverse</source>
        <translation>リバース</translation>
    </message>
    <message>
        <source>No PWM</source>
        <translation>PWM禁止</translation>
    </message>
    <message>
        <source>Pulse Timeout</source>
        <translation>プロテクション</translation>
    </message>
    <message>
        <source>Protection Timer</source>
        <translation>脱力タイマー</translation>
    </message>
    <message>
        <source>CCWLimit</source>
        <translation>リミッタ(L)</translation>
    </message>
    <message>
        <source>CWLimit</source>
        <translation>リミッタ(R)</translation>
    </message>
    <message>
        <source>Offset</source>
        <translation>オフセット</translation>
    </message>
</context>
<context>
    <name>brv3::TTableDlg</name>
    <message>
        <source>DataTable</source>
        <translation>データテーブル</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>読込</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>消去</translation>
    </message>
    <message>
        <source>No</source>
        <translation>No</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名前</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>ステップ数</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>日付</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>コントロール</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>I am sorry</source>
        <translation>申し訳ありません</translation>
    </message>
    <message>
        <source>The double start is impossible</source>
        <translation>二重起動はできません</translation>
    </message>
    <message>
        <source>No message socket: %1</source>
        <translation>メッセージソケットがありません: %1</translation>
    </message>
</context>
</TS>
