<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>Announcement</name>
    <message>
        <source>結果なし</source>
        <translation>No result</translation>
    </message>
</context>
<context>
    <name>Application</name>
    <message>
        <source>予期しないエラーが起きました。動きがおかしいときは Vellox を起動し直してください。</source>
        <translation>An unexpected error occurred. If Vellox behaves strangely, start it again.</translation>
    </message>
    <message>
        <source>メモリが足りません。ほかのプログラムを閉じるか、式を短くしてください。</source>
        <translation>Out of memory. Close other programs or shorten the expression.</translation>
    </message>
</context>
<context>
    <name>Exception</name>
    <message>
        <source>正常な値が格納されていません。</source>
        <translation>No valid value is stored.</translation>
    </message>
    <message>
        <source>タスクトレイにアイコンを登録できません。</source>
        <translation>Cannot add the icon to the notification area.</translation>
    </message>
</context>
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Select All</translation>
    </message>
</context>
<context>
    <name>TCalPad1</name>
    <message>
        <source>CalcPad</source>
        <translation>CalcPad</translation>
    </message>
    <message>
        <source>パッド入力</source>
        <translation>Keypad input</translation>
    </message>
</context>
<context>
    <name>TFaultWords</name>
    <message>
        <source>「%1」(U+%2) は式に使えない文字です（Shift-JIS にありません）。消すか、ほかの文字に書き換えてください。</source>
        <translation>“%1” (U+%2) cannot be used in an expression (it has no Shift-JIS form). Delete it or replace it with another character.</translation>
    </message>
    <message>
        <source>0 で割ることはできません。式を直してください。</source>
        <translation>Division by zero. Correct the expression.</translation>
    </message>
    <message>
        <source>この計算はできません（負の数の平方根や対数、0 ÷ 0 など）。式を直してください。</source>
        <translation>This cannot be calculated (the square root or logarithm of a negative number, 0 ÷ 0 and the like). Correct the expression.</translation>
    </message>
    <message>
        <source>値が大きすぎます（扱えるのは %1 まで）。式を直してください。</source>
        <translation>The value is too large (the largest is %1). Correct the expression.</translation>
    </message>
    <message>
        <source>式を Shift-JIS に変換できません。このシステムで文字コードの変換（iconv の CP932）が使えるか確かめてください。</source>
        <translation>The expression cannot be converted to Shift-JIS. Check that this system can convert character sets (iconv&apos;s CP932).</translation>
    </message>
    <message>
        <source>名前か数が長すぎます。1023 文字までにしてください。</source>
        <translation>A name or number is too long. Keep it to 1023 characters.</translation>
    </message>
    <message>
        <source>長い式の途中にある数を読み取れません。その数の書き方（E の後など）を直すか、式を短くしてください。</source>
        <translation>A number in the middle of a long expression cannot be read. Correct how it is written (after the E, for instance) or shorten the expression.</translation>
    </message>
</context>
<context>
    <name>TKeyboardMenu</name>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
</context>
<context>
    <name>TParseErrorWords</name>
    <message>
        <source>入れ子が深すぎます</source>
        <translation>Nested too deeply</translation>
    </message>
    <message>
        <source>式の入れ子が深すぎます（括弧は 1021 重まで）</source>
        <translation>The expression is nested too deeply (at most 1021 parentheses)</translation>
    </message>
    <message>
        <source>構文エラー</source>
        <translation>Syntax error</translation>
    </message>
    <message>
        <source>構文エラー: 式がありません</source>
        <translation>Syntax error: there is no expression</translation>
    </message>
    <message>
        <source>構文エラー: 式が途中で終わっています</source>
        <translation>Syntax error: the expression ends too early</translation>
    </message>
    <message>
        <source>構文エラー: %1 文字目の「%2」を読めません</source>
        <translation>Syntax error: cannot read “%2”, character %1</translation>
    </message>
    <message>
        <source>この地域の設定では「,」は小数点です。関数の引数は「;」で区切ってください（例: power(2;10)）</source>
        <translation>In this locale “,” is the decimal point: separate a function’s arguments with “;” (for example power(2;10))</translation>
    </message>
</context>
<context>
    <name>TResultField</name>
    <message>
        <source> ほか %1 個</source>
        <translation> and %1 more</translation>
    </message>
    <message>
        <source>未定義の変数 %1 を 0 として計算しました</source>
        <translation>Calculated with the unassigned variable %1 as 0</translation>
    </message>
    <message>
        <source>%1 でこの値を計算式に挿入します</source>
        <translation>%1 inserts this value into the expression</translation>
    </message>
    <message>
        <source>式が変わりました。この値は変更前の式の結果です</source>
        <translation>The expression has changed. This value is the result of the expression before the change</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
</context>
<context>
    <name>TVellox1</name>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>計算結果</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>クリア</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>最小化</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <source>パッド入力</source>
        <translation>Keypad input</translation>
    </message>
    <message>
        <source>計算式</source>
        <translation>Expression</translation>
    </message>
    <message>
        <source>式を入力して Enter（↑↓ 履歴、%1 前回の答え）</source>
        <translation>Type an expression and press Enter (↑↓ history, %1 last answer)</translation>
    </message>
    <message>
        <source>結果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>元のサイズに戻す(&amp;R)</source>
        <translation>&amp;Restore</translation>
    </message>
    <message>
        <source>最小化(&amp;N)</source>
        <translation>Mi&amp;nimize</translation>
    </message>
    <message>
        <source>パッド入力(&amp;P)</source>
        <translation>Key&amp;pad input</translation>
    </message>
    <message>
        <source>表示位置(&amp;A)</source>
        <translation>&amp;Align</translation>
    </message>
    <message>
        <source>上に張り付く(&amp;T)</source>
        <translation>Stick to the &amp;top</translation>
    </message>
    <message>
        <source>下に張り付く(&amp;B)</source>
        <translation>Stick to the &amp;bottom</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>最小化: 通知領域がないため、隠すことができません</source>
        <translation>Minimize: there is no notification area, so the strip cannot be hidden</translation>
    </message>
    <message>
        <source>貼り付ける文字列が長すぎます。式は %1 文字までです。</source>
        <translation>The pasted text is too long. An expression holds at most %1 characters.</translation>
    </message>
</context>
</TS>
