<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ar">
<context>
    <name>BoardList</name>
    <message>
        <source>The hall&apos;s boards</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This hall has no board called &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This hall has no display theme yet: the program offers one to the first administrator who logs in.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CounterWindow</name>
    <message>
        <source>Call</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Calling</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total Pending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Next   F4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Recall   F5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh F7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finish   F8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The visitor has been served: stamps the finish time, calls nobody</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Closed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Call Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attended</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transfered</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pending</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Register Shortcuts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Idle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Total Pending : %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token %1 has already been called by another counter. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token</source>
        <translation type="unfinished">الرقم</translation>
    </message>
    <message>
        <source>At</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finished</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T.Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancelled %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pending : %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password screen is not installed with this program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last Served : Not Available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last Served : %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counter tabs</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HallNow</name>
    <message>
        <source>Service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Longest wait</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serving</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Idle</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Served last hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Within target today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Target</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Arrivals an hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forecast</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counters to keep it</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HallTicket</name>
    <message>
        <source>General Service</source>
        <translation>خدمة عامة</translation>
    </message>
    <message>
        <source>Please wait for your number</source>
        <translation>يرجى انتظار رقمك</translation>
    </message>
</context>
<context>
    <name>Issue</name>
    <message>
        <source>1 person ahead of you</source>
        <translation>شخص واحد قبلك</translation>
    </message>
    <message>
        <source>%1 people ahead of you</source>
        <translation>عدد من قبلك: %1</translation>
    </message>
    <message>
        <source>Estimated wait: %1 (%2)</source>
        <translation>الانتظار المتوقع: %1 (%2)</translation>
    </message>
    <message>
        <source>Limit</source>
        <translation>تم بلوغ الحد الأقصى</translation>
    </message>
    <message>
        <source>This service is no longer offered</source>
        <translation>لم تعد هذه الخدمة متاحة</translation>
    </message>
</context>
<context>
    <name>KioskDepartmentList</name>
    <message>
        <source>The full-screen kiosk offers these departments after the default one. With none chosen and no default department it offers every Walk-In and Report department.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (not in this hall)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MDI</name>
    <message>
        <source>Please select a theme
Go to Modules &gt; Settings, Theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hall now</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OutOfServicePage</name>
    <message>
        <source>Out of service</source>
        <translation>خارج الخدمة</translation>
    </message>
    <message>
        <source>Sorry, no tickets can be issued here at the moment.
Please ask at the reception desk.</source>
        <translation>عذرًا، لا يمكن إصدار تذاكر هنا في الوقت الحالي.
يرجى السؤال في مكتب الاستقبال.</translation>
    </message>
</context>
<context>
    <name>PrinterChoice</name>
    <message>
        <source>PDF files in a folder…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(No Printer Installed)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(the default printer)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder for the tickets&apos; PDF files</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportChartView</name>
    <message>
        <source>Save Chart...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Chart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No tokens were issued in this period.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No service of this report has a target.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Chart</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG picture (*.png);;SVG drawing (*.svg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chart cannot be written to
%1
Choose another folder or name.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportCharts</name>
    <message>
        <source>Hour of the day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: target %2 % within %3 min</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportFigures</name>
    <message>
        <source>Tokens issued per hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Average waiting per hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Share called within the service&apos;s target</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tokens</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>% within target</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counter</source>
        <translation type="unfinished">الشباك</translation>
    </message>
    <message>
        <source>Service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Served</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avg waiting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>90% waiting</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Avg service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Within target</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportTotals</name>
    <message>
        <source>%1 min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ReportWindow</name>
    <message>
        <source>Tickets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Charts</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ServerAuthority</name>
    <message>
        <source>Cannot read %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not the certificate of an authority (a PEM file beginning with -----BEGIN CERTIFICATE-----, and no key).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The configuration folder&apos;s path %1 holds a space or a sign a connection option cannot name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StaffPages</name>
    <message>
        <source>User name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Log out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No connection to the server</source>
        <translation type="unfinished">لا يوجد اتصال بالخادم</translation>
    </message>
    <message>
        <source>The figures are not current: the database cannot be reached</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too many wrong tries: wait %1 s and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the user name and the password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrong user name or password.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ThemeDefaults</name>
    <message>
        <source>Welcome</source>
        <translation>أهلًا وسهلًا</translation>
    </message>
    <message>
        <source>Token</source>
        <translation>الرقم</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>الشباك</translation>
    </message>
</context>
<context>
    <name>TicketPrint</name>
    <message>
        <source>Estimated wait : </source>
        <translation>الانتظار المتوقع : </translation>
    </message>
    <message>
        <source>Scan to follow your turn</source>
        <translation>امسح الرمز لمتابعة دورك</translation>
    </message>
    <message>
        <source>Appointment : %1</source>
        <translation>الموعد : %1</translation>
    </message>
    <message>
        <source>Counter : %1</source>
        <translation>الشباك : %1</translation>
    </message>
    <message>
        <source>Now Serving : </source>
        <translation>يُخدم الآن : </translation>
    </message>
    <message>
        <source>Thank you for waiting</source>
        <translation>شكرًا لانتظاركم</translation>
    </message>
</context>
<context>
    <name>TokenOnScreen</name>
    <message>
        <source>Your number</source>
        <translation>رقمك</translation>
    </message>
    <message>
        <source>No ticket could be printed: please remember your number</source>
        <translation>تعذرت طباعة التذكرة: يرجى تذكر رقمك</translation>
    </message>
</context>
<context>
    <name>WaitEstimate</name>
    <message>
        <source>less than a minute</source>
        <translation>أقل من دقيقة</translation>
    </message>
    <message>
        <source>about 1 minute</source>
        <translation>حوالي دقيقة واحدة</translation>
    </message>
    <message>
        <source>about %1 minutes</source>
        <translation>حوالي %1 دقيقة</translation>
    </message>
</context>
<context>
    <name>WebPages</name>
    <message>
        <source>Please go to</source>
        <translation>يرجى التوجه إلى</translation>
    </message>
    <message>
        <source>Your token</source>
        <translation>رقم دورك</translation>
    </message>
    <message>
        <source>Ahead of you</source>
        <translation>قبلك</translation>
    </message>
    <message>
        <source>Estimated wait</source>
        <translation>الانتظار المتوقع</translation>
    </message>
    <message>
        <source>This page follows your token: keep it open, it changes by itself when you are called.</source>
        <translation>هذه الصفحة تتابع دورك: أبقها مفتوحة، وستتغير من تلقاء نفسها عند مناداتك.</translation>
    </message>
    <message>
        <source>No connection to the server</source>
        <translation>لا يوجد اتصال بالخادم</translation>
    </message>
    <message>
        <source>The server cannot reach the database</source>
        <translation>لا يستطيع الخادم الوصول إلى قاعدة البيانات</translation>
    </message>
    <message>
        <source>No theme of that name</source>
        <translation>لا توجد لوحة عرض بهذا الاسم</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>لوحة العرض</translation>
    </message>
    <message>
        <source>Latest calls</source>
        <translation>أحدث النداءات</translation>
    </message>
    <message>
        <source>Latest calls, newest first</source>
        <translation>أحدث النداءات، الأحدث أولاً</translation>
    </message>
</context>
<context>
    <name>WorkstationRights</name>
    <message>
        <source>This workstation may only issue tokens</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This workstation may only show calls</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This workstation may only call and serve tokens</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This workstation may not change the hall</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only the hall&apos;s owner may do that</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>fileholders</name>
    <message>
        <source>other windows of this program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 (process %2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmCall</name>
    <message>
        <source>Walk in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Appointment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Emergency</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancell F6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished">خروج</translation>
    </message>
    <message>
        <source>Show Room &amp;&amp; Dr. Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Walk-in tokens called</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Appointment time of the transferred token last clicked</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Walk-ins called:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Call</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token</source>
        <translation type="unfinished">الرقم</translation>
    </message>
    <message>
        <source>At</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transfred %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transfer to Counter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Notes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error no valid token</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Updated</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Token</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a token first</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmCompany</name>
    <message>
        <source>Choose Logo...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove Logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ticket preview</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The chosen picture: Save stores it for every kiosk.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stored with the company details: every kiosk prints it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No logo is stored: this workstation prints the logo.jpg of its installation folder. Choose a picture to print it at every kiosk.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No logo: Save removes the stored one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No logo is stored: the tickets print none.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the hall&apos;s logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pictures (*.png *.jpg *.jpeg *.bmp *.gif *.webp);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a picture that can be printed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmDisplay</name>
    <message>
        <source>Display</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmHallNow</name>
    <message>
        <source>Hall now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>As of %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The figures are not current: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmLogin</name>
    <message>
        <source>Login Here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Admin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counter</source>
        <translation type="unfinished">الشباك</translation>
    </message>
    <message>
        <source>Select Counter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Memorize </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Login</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished">خروج</translation>
    </message>
    <message>
        <source>Queue management</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please wait %1 seconds before the next try.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wrong password: the next try is possible in %1 s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no administrator yet: create the first one.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a valid username and password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter a valid Username and Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The counter screen is not installed with this program.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmPass</name>
    <message>
        <source>Enter Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wait %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter Valid Password</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmSelService</name>
    <message>
        <source>Select Service</source>
        <translation type="unfinished">اختر الخدمة</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counter</source>
        <translation type="unfinished">الشباك</translation>
    </message>
    <message>
        <source>Please enter a valid Counter</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmService</name>
    <message>
        <source> %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No target</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>within</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Target</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Save. A target needs both a share and a wait, or neither</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmSettings</name>
    <message>
        <source>(none chosen)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This computer&apos;s language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Two or more: the kiosk lets the visitor choose first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kiosk Also Offers</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kiosk Languages</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmTT</name>
    <message>
        <source>Please take your ticket</source>
        <translation>يرجى أخذ تذكرتك</translation>
    </message>
    <message>
        <source>and wait for your number to be called</source>
        <translation>وانتظر حتى يُنادى رقمك</translation>
    </message>
</context>
<context>
    <name>frmTicket</name>
    <message>
        <source>&lt;-Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please wait: the server does not answer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Ticket</source>
        <translation type="unfinished">طباعة تذكرة</translation>
    </message>
    <message>
        <source>Token Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Walk-In</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Appointment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Emergency </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Select Date: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished">خروج</translation>
    </message>
    <message>
        <source>Select Department</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No department of the type &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Service</source>
        <translation type="unfinished">اختر الخدمة</translation>
    </message>
    <message>
        <source>Departments and services</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back to the departments</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmTicketF</name>
    <message>
        <source>Print Ticket</source>
        <translation>طباعة تذكرة</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>خروج</translation>
    </message>
    <message>
        <source>Select Service</source>
        <translation>اختر الخدمة</translation>
    </message>
    <message>
        <source>Waiting for the server to answer...</source>
        <translation>في انتظار رد الخادم...</translation>
    </message>
    <message>
        <source>No Walk-In or Report department offers an active service (Modules &gt; Settings, Default Department).</source>
        <translation>لا يقدم أي قسم للحضور المباشر أو للمراجعة خدمة نشطة (Modules &gt; Settings, Default Department).</translation>
    </message>
    <message>
        <source>The department &quot;%1&quot; offers no active service.</source>
        <translation>القسم &quot;%1&quot; لا يقدم أي خدمة نشطة.</translation>
    </message>
    <message>
        <source>The departments %1 offer no active service.</source>
        <translation>الأقسام %1 لا تقدم أي خدمة نشطة.</translation>
    </message>
    <message>
        <source>Services</source>
        <translation>الخدمات</translation>
    </message>
    <message>
        <source>Staff corner</source>
        <translation>ركن الموظفين</translation>
    </message>
</context>
<context>
    <name>hallnow</name>
    <message>
        <source>No target</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too little history</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kept for the next hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missed now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Missed in %1 min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>more than %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 % within %2 min</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 min</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kinds</name>
    <message>
        <source>There is no kind of workstation named %1: kiosk, board, counter or office.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is now a %2 workstation.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The hall works as before, but its kinds of workstation (kiosk, board, counter, office) cannot be made: %1 may not create roles (ALTER ROLE %1 CREATEROLE lets it).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>kioskSpeech</name>
    <message>
        <source>Ticket kiosk. Use the arrow keys or Tab to choose a service, and Enter to take a ticket. Press N to hear the numbers being served, and H to hear this help again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1. %2 of %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your number is %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please take your ticket from the printer, below the screen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No ticket could be printed: please remember your number, %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please wait until your number is called.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please wait until your number is called to %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No number could be issued for this service. Please ask at the reception desk.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The kiosk cannot reach the server. Please ask at the reception desk.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No number has been called yet today.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 at %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Now serving: %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>maintenance</name>
    <message>
        <source>Everything before %1 would include today&apos;s tickets, the queue that is being served now, and their numbers would be handed out again. Choose %2 (today) or an earlier day: today&apos;s tickets stay, the days before it are deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>at a time not known</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Everything changed since then is lost, with the tokens issued since.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Everything changed since then is lost; no token has been issued since.</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>Everything changed since then is lost, with the %n token(s) issued since.</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>The database will be replaced by the backup &quot;%1&quot;, made %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open on this computer in: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No program on this computer has it open, so another workstation has; or a program that ended without closing it left its journal &quot;%1&quot; behind (opening the database once and closing it again removes it).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a computer logged in as %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the server&apos;s own computer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 connections</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>modExcel</name>
    <message>
        <source> (min)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: tokens</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: avg waiting (min)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: within target</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hour of the day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Totals</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>numbering</name>
    <message>
        <source>The connection to the database server broke while the ticket was being stored, and the server has not answered since: the ticket may or may not have been stored. No token was given out for it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>workstation</name>
    <message>
        <source>The server %1 did not prove it is the hall&apos;s database server: its certificate is not signed by the hall&apos;s authority, or is made out to another name. Nothing was sent to it, not even the password, and this workstation&apos;s connection is unchanged.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
