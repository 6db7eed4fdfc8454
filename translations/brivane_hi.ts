<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="hi">
<context>
    <name>AlertReport</name>
    <message>
        <source>Alerts from %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No tickets in these days.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no alerts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 alerts asked, %2 fired on the page, %3 texts sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lead time: median %1 minutes from the alert to the call</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>lead time: no alerted token called</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>served, alerted: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>served, joined from the phone: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>served, from the kiosk: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BoardList</name>
    <message>
        <source>The hall&apos;s boards</source>
        <translation>हॉल के बोर्ड</translation>
    </message>
    <message>
        <source>This hall has no board called &quot;%1&quot;.</source>
        <translation>इस हॉल में &quot;%1&quot; नाम का कोई बोर्ड नहीं है।</translation>
    </message>
    <message>
        <source>This hall has no display theme yet: the program offers one to the first administrator who logs in.</source>
        <translation>इस हॉल में अभी कोई डिस्प्ले थीम नहीं है: लॉग इन करने वाले पहले व्यवस्थापक को प्रोग्राम एक थीम देता है।</translation>
    </message>
</context>
<context>
    <name>CallAnnouncement</name>
    <message>
        <source>First Language Only</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Both Languages</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CallReason</name>
    <message>
        <source>emergency for this counter</source>
        <translation>इस काउंटर के लिए आपातकालीन</translation>
    </message>
    <message>
        <source>appointment due at this counter</source>
        <translation>इस काउंटर पर नियत अपॉइंटमेंट</translation>
    </message>
    <message>
        <source>transferred to this counter</source>
        <translation>इस काउंटर पर स्थानांतरित</translation>
    </message>
    <message>
        <source>oldest walk-in of %1</source>
        <translation>%1 का सबसे पुराना वॉक-इन</translation>
    </message>
    <message>
        <source>walk-in of %1 held back past its wait cap</source>
        <translation>%1 का वॉक-इन, प्रतीक्षा सीमा से अधिक रुका रहा</translation>
    </message>
    <message>
        <source>picked from the list</source>
        <translation>सूची से चुना गया</translation>
    </message>
    <message>
        <source>called again</source>
        <translation>फिर से बुलाया गया</translation>
    </message>
    <message>
        <source>lowest waiting number of %1</source>
        <translation>%1 का सबसे कम प्रतीक्षारत नंबर</translation>
    </message>
    <message numerus="yes">
        <source>waited %n min</source>
        <translation>
            <numerusform>%n मिनट प्रतीक्षा की</numerusform>
            <numerusform>%n मिनट प्रतीक्षा की</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>ahead of %n newer priority token(s)</source>
        <translation>
            <numerusform>%n नए प्राथमिकता टोकन से पहले</numerusform>
            <numerusform>%n नए प्राथमिकता टोकन से पहले</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>ahead of %n token(s) that waited longer</source>
        <translation>
            <numerusform>अधिक देर से प्रतीक्षारत %n टोकन से पहले</numerusform>
            <numerusform>अधिक देर से प्रतीक्षारत %n टोकन से पहले</numerusform>
        </translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>ConnectionFiles</name>
    <message>
        <source>File not found: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Permission denied: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Subscript out of range</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Username</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished">पासवर्ड</translation>
    </message>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be kept in path.txt: it may not hold a comma, a semicolon, a double quote, a line break or spaces at either end</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ContentStore</name>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CounterWindow</name>
    <message>
        <source>Call</source>
        <translation>कॉल</translation>
    </message>
    <message>
        <source>Calling</source>
        <translation>बुला रहे हैं</translation>
    </message>
    <message>
        <source>Total Pending</source>
        <translation>कुल प्रतीक्षारत</translation>
    </message>
    <message>
        <source>Next   F4</source>
        <translation>अगला   F4</translation>
    </message>
    <message>
        <source>Recall   F5</source>
        <translation>फिर बुलाएँ   F5</translation>
    </message>
    <message>
        <source>Refresh F7</source>
        <translation>ताज़ा करें F7</translation>
    </message>
    <message>
        <source>Finish   F8</source>
        <translation>समाप्त   F8</translation>
    </message>
    <message>
        <source>The visitor has been served: stamps the finish time, calls nobody</source>
        <translation>आगंतुक की सेवा हो गई: समाप्ति का समय दर्ज करता है, किसी को नहीं बुलाता</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>खुला</translation>
    </message>
    <message>
        <source>Closed</source>
        <translation>बंद</translation>
    </message>
    <message>
        <source>Call Window</source>
        <translation>कॉल विंडो</translation>
    </message>
    <message>
        <source>Attended</source>
        <translation>सेवा हो चुकी</translation>
    </message>
    <message>
        <source>Cancelled</source>
        <translation>रद्द</translation>
    </message>
    <message>
        <source>Transfer</source>
        <translation>स्थानांतरण</translation>
    </message>
    <message>
        <source>Transfered</source>
        <translation>स्थानांतरित</translation>
    </message>
    <message>
        <source>Pending</source>
        <translation>प्रतीक्षारत</translation>
    </message>
    <message>
        <source>Change Password</source>
        <translation>पासवर्ड बदलें</translation>
    </message>
    <message>
        <source>Register Shortcuts</source>
        <translation>शॉर्टकट चालू करें</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>सेटिंग्स</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>खाली</translation>
    </message>
    <message>
        <source>Total Pending : %1</source>
        <translation>कुल प्रतीक्षारत : %1</translation>
    </message>
    <message>
        <source>Token %1 has already been called by another counter. Nothing was changed.</source>
        <translation>टोकन %1 को दूसरा काउंटर पहले ही बुला चुका है। कुछ नहीं बदला गया।</translation>
    </message>
    <message>
        <source>SN</source>
        <translation>क्रम</translation>
    </message>
    <message>
        <source>Token</source>
        <translation>टोकन</translation>
    </message>
    <message>
        <source>At</source>
        <translation>समय</translation>
    </message>
    <message>
        <source>Finished</source>
        <translation>समाप्त</translation>
    </message>
    <message>
        <source>T.Time</source>
        <translation>टोकन समय</translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation>प्रतीक्षा</translation>
    </message>
    <message>
        <source>Cancelled %1</source>
        <translation>रद्द %1</translation>
    </message>
    <message>
        <source>Pending : %1</source>
        <translation>प्रतीक्षारत : %1</translation>
    </message>
    <message>
        <source>The password screen is not installed with this program.</source>
        <translation>पासवर्ड स्क्रीन इस प्रोग्राम के साथ स्थापित नहीं है।</translation>
    </message>
    <message>
        <source>Last Served : Not Available</source>
        <translation>अंतिम सेवा : उपलब्ध नहीं</translation>
    </message>
    <message>
        <source>Last Served : %1</source>
        <translation>अंतिम सेवा : %1</translation>
    </message>
    <message>
        <source>Counter tabs</source>
        <translation>काउंटर टैब</translation>
    </message>
</context>
<context>
    <name>DayFigures</name>
    <message>
        <source>Emergency</source>
        <translation type="unfinished">आपातकालीन</translation>
    </message>
    <message>
        <source>Appointment</source>
        <translation type="unfinished">अपॉइंटमेंट</translation>
    </message>
    <message>
        <source>Walk-in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EditorFiles</name>
    <message>
        <source>Cannot open %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a text or rich text file and cannot be opened here.
Save it as Rich Text Format (*.rtf) or as a text document (*.txt) first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>EditorRuler</name>
    <message>
        <source>Drag the marker to indent the selected paragraphs</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FirstAdminPanel</name>
    <message>
        <source>First administrator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This hall has no administrator yet. Create the first one:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create and Log in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Name</source>
        <translation type="unfinished">उपयोगकर्ता नाम</translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished">पासवर्ड</translation>
    </message>
    <message>
        <source>Repeat Password</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>FirstAdministrator</name>
    <message>
        <source>Enter a name for the administrator</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The administrator needs a password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The two passwords differ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>An administrator exists already: log in with it</source>
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
        <translation type="unfinished">प्रतीक्षा</translation>
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
        <translation type="unfinished">खाली</translation>
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
        <translation>सामान्य सेवा</translation>
    </message>
    <message>
        <source>Please wait for your number</source>
        <translation>कृपया अपने नंबर की प्रतीक्षा करें</translation>
    </message>
</context>
<context>
    <name>Issue</name>
    <message>
        <source>1 person ahead of you</source>
        <translation>आपसे पहले 1 व्यक्ति</translation>
    </message>
    <message>
        <source>%1 people ahead of you</source>
        <translation>आपसे पहले %1 लोग</translation>
    </message>
    <message>
        <source>Estimated wait: %1 (%2)</source>
        <translation>अनुमानित प्रतीक्षा: %1 (%2)</translation>
    </message>
    <message>
        <source>Limit</source>
        <translation>सीमा पूरी हो गई</translation>
    </message>
    <message>
        <source>This service is no longer offered</source>
        <translation>यह सेवा अब उपलब्ध नहीं है</translation>
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
    <message>
        <source>Start Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Department List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage Counter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service Start No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scroll News</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Company Details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send to Excel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished">बाहर निकलें</translation>
    </message>
    <message>
        <source>Modules</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print Ticket</source>
        <translation type="unfinished">टिकट छापें</translation>
    </message>
    <message>
        <source>Bulk Token</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Call</source>
        <translation type="unfinished">कॉल</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished">सेटिंग्स</translation>
    </message>
    <message>
        <source>Start/Stop News</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup &amp;&amp; Restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Manage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change Password</source>
        <translation type="unfinished">पासवर्ड बदलें</translation>
    </message>
    <message>
        <source>Clear Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Ticket Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear Call Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Department Based</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service Based</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counter Based</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pending Report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Brivane</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add Scroll</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transfer App</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable Scroll</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Count the tokens whose appointment time is earlier than this time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Appointments before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to exit </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Brivane
Queue management for service halls
Version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error. Cannot Continue </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Today, %1:   %2 tokens issued   ·   %3 waiting   ·   %4 called</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please stop the display first</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MasterEdit</name>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The %1 &quot;%2&quot; has been deleted meanwhile, so the changes were not saved. To keep them, choose Add in the %3 and save again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MasterList</name>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select an entry</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NewHall</name>
    <message>
        <source>This hall has no display theme yet.

Set up a ready hall now? It adds the theme &quot;%1&quot; for this screen (chosen for this workstation) and a department of each kind the kiosks list (Walk-In, Report, Appointment, Emergency) that the hall has none of. Everything can be changed later.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New hall</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The theme &quot;%1&quot; is ready: Modules &gt; Start Display shows the board.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
Departments added: %1 (one service each).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>
Next: add counters and their operators (File &gt; Manage Counter).</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OutOfServicePage</name>
    <message>
        <source>Out of service</source>
        <translation>सेवा उपलब्ध नहीं</translation>
    </message>
    <message>
        <source>Sorry, no tickets can be issued here at the moment.
Please ask at the reception desk.</source>
        <translation>क्षमा करें, अभी यहाँ से टिकट नहीं दिए जा सकते।
कृपया स्वागत कक्ष पर पूछें।</translation>
    </message>
</context>
<context>
    <name>PasswordScreen</name>
    <message>
        <source>Chanage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Old Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Conf. Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Passwords are not same</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please wait %1 seconds before the next try.</source>
        <translation type="unfinished">अगले प्रयास से पहले कृपया %1 सेकंड प्रतीक्षा करें।</translation>
    </message>
    <message>
        <source>Please enter a valid old password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password Changed </source>
        <translation type="unfinished"></translation>
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
    <name>ReportColumns</name>
    <message>
        <source>SN</source>
        <translation type="unfinished">क्रम</translation>
    </message>
    <message>
        <source>Dept.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token</source>
        <translation type="unfinished">टोकन</translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counter</source>
        <translation type="unfinished">काउंटर</translation>
    </message>
    <message>
        <source>From</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Duration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waiting</source>
        <translation type="unfinished">प्रतीक्षा</translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished">स्थिति</translation>
    </message>
    <message>
        <source>Display Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Why Called</source>
        <translation>क्यों बुलाया गया</translation>
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
        <translation type="unfinished">काउंटर</translation>
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
        <translation type="unfinished">रद्द</translation>
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
    <message>
        <source>Not arrived</source>
        <translation>नहीं आए</translation>
    </message>
</context>
<context>
    <name>ReportQuery</name>
    <message>
        <source>Report-Department Based</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Department</source>
        <translation type="unfinished">विभाग चुनें</translation>
    </message>
    <message>
        <source>Report Service Based</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Service</source>
        <translation type="unfinished">सेवा चुनें</translation>
    </message>
    <message>
        <source>Report-Counter Based</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Counter</source>
        <translation type="unfinished">काउंटर चुनें</translation>
    </message>
    <message>
        <source>Pending Reports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Average Time : %1</source>
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
    <message>
        <source>Date From</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The listing was stopped for a restore. Press Show to list again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>department</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>counter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No tickets are shown: choose a %1, or All, in the list above.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No tickets are shown: there is no active %1 called &quot;%2&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>on %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>from %1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No tickets are shown: the first date is after the second.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No token is waiting %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No ticket was attended by a counter %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No token was called %1. Tick Show All to see the tokens still waiting too.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No tickets were issued %1.</source>
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
    <name>SimulateCommand</name>
    <message>
        <source>&quot;%1&quot; is not a day: give it as yyyy-MM-dd, for example 2024-01-15.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 has not come yet: only a day that has begun can be replayed.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No tokens were issued on %1: there is nothing to replay.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No token of %1 was served to its finish: there are no service times to replay.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No counter called a token on %1: say how many counters to replay with --counters N.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replay of %1 through the call engine. Tokens replayed: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counters: %1 per service, each open all day.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counters: the %1 that called tokens that day, each open from its first call to its last finish.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cap on walk-ins held back: as each service has it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cap on walk-ins held back: none.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cap on walk-ins held back: %1 min, for every service.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Waits in minutes, from the issue to the first call.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not replayed, being of other kinds: %1 (report tokens are called from the counters&apos; lists).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not replayed, having no issue time: %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replayed in %1 s.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Called</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mean</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>90%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Longest</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>That day</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replay</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tokens</source>
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
        <translation type="unfinished">पासवर्ड</translation>
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
        <translation type="unfinished">सर्वर से कनेक्शन नहीं है</translation>
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
    <name>StoreProbe</name>
    <message>
        <source>The database %1 is ready: it holds a hall.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database %1 is there but holds no hall yet (none of Brivane&apos;s tables).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is the database of another program: it holds none of Brivane&apos;s tables.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database %1 holds only %2 of Brivane&apos;s %3 tables.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no database file %1.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a database file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 on %2:%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server answers, but it has no database &quot;%1&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The server answers but refuses the connection: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No database file is named.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextGateway</name>
    <message>
        <source>not a phone number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no way of sending texts is set (Queue / Sms / command or url)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no answer within %1 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the command ended with code %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the command stopped abnormally</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the gateway answered %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>text to %1 sent (try %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>text to %1 not sent (try %2 of %3): %4; again in %5 s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>text to %1 failed: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextMessage</name>
    <message>
        <source>Token %1: your turn is near. Please come back now.</source>
        <translation>टोकन %1: आपकी बारी नज़दीक है। कृपया अभी वापस आइए।</translation>
    </message>
    <message>
        <source>Token %1: your turn is near (%2). Please come back now.</source>
        <translation>टोकन %1: आपकी बारी नज़दीक है (%2)। कृपया अभी वापस आइए।</translation>
    </message>
</context>
<context>
    <name>TextMessages</name>
    <message>
        <source>texts due cannot be read: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n phone number(s) of earlier days erased</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>the text for ticket %1 cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>text for %1 not sent: its number was erased (the ticket ended, or its day)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the outcome of the text for ticket %1 cannot be stored yet: %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ThemeDefaults</name>
    <message>
        <source>Welcome</source>
        <translation>स्वागत है</translation>
    </message>
    <message>
        <source>Token</source>
        <translation>टोकन</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>काउंटर</translation>
    </message>
</context>
<context>
    <name>TicketPrint</name>
    <message>
        <source>Estimated wait : </source>
        <translation>अनुमानित प्रतीक्षा : </translation>
    </message>
    <message>
        <source>Scan to follow your turn</source>
        <translation>अपनी बारी देखने के लिए स्कैन करें</translation>
    </message>
    <message>
        <source>Appointment : %1</source>
        <translation>अपॉइंटमेंट : %1</translation>
    </message>
    <message>
        <source>Counter : %1</source>
        <translation>काउंटर : %1</translation>
    </message>
    <message>
        <source>Now Serving : </source>
        <translation>अभी सेवा में : </translation>
    </message>
    <message>
        <source>Thank you for waiting</source>
        <translation>प्रतीक्षा के लिए धन्यवाद</translation>
    </message>
</context>
<context>
    <name>TokenOnScreen</name>
    <message>
        <source>Your number</source>
        <translation>आपका नंबर</translation>
    </message>
    <message>
        <source>No ticket could be printed: please remember your number</source>
        <translation>टिकट छप नहीं सका: कृपया अपना नंबर याद रखें</translation>
    </message>
</context>
<context>
    <name>WaitEstimate</name>
    <message>
        <source>less than a minute</source>
        <translation>एक मिनट से कम</translation>
    </message>
    <message>
        <source>about 1 minute</source>
        <translation>लगभग 1 मिनट</translation>
    </message>
    <message>
        <source>about %1 minutes</source>
        <translation>लगभग %1 मिनट</translation>
    </message>
</context>
<context>
    <name>WebPages</name>
    <message>
        <source>Please go to</source>
        <translation>कृपया यहाँ जाएँ</translation>
    </message>
    <message>
        <source>Your token</source>
        <translation>आपका टोकन</translation>
    </message>
    <message>
        <source>Ahead of you</source>
        <translation>आपसे पहले</translation>
    </message>
    <message>
        <source>Estimated wait</source>
        <translation>अनुमानित प्रतीक्षा</translation>
    </message>
    <message>
        <source>This page follows your token: keep it open, it changes by itself when you are called.</source>
        <translation>यह पेज आपके टोकन के साथ चलता है: इसे खुला रखें, आपको बुलाए जाने पर यह अपने आप बदल जाएगा।</translation>
    </message>
    <message>
        <source>No connection to the server</source>
        <translation>सर्वर से कनेक्शन नहीं है</translation>
    </message>
    <message>
        <source>The server cannot reach the database</source>
        <translation>सर्वर डेटाबेस तक नहीं पहुँच पा रहा है</translation>
    </message>
    <message>
        <source>No theme of that name</source>
        <translation>इस नाम की कोई थीम नहीं है</translation>
    </message>
    <message>
        <source>Board</source>
        <translation>बोर्ड</translation>
    </message>
    <message>
        <source>Latest calls</source>
        <translation>नवीनतम बुलावे</translation>
    </message>
    <message>
        <source>Latest calls, newest first</source>
        <translation>नवीनतम बुलावे, सबसे नया पहले</translation>
    </message>
    <message>
        <source>Choose 5, 10 or 15 minutes, or when you are next.</source>
        <translation>5, 10 या 15 मिनट चुनें, या जब आप अगले हों।</translation>
    </message>
    <message>
        <source>This is not a phone number: use digits only, with + in front for another country.</source>
        <translation>यह फ़ोन नंबर नहीं है: केवल अंक लिखें, दूसरे देश के लिए आगे + लगाएँ।</translation>
    </message>
    <message>
        <source>No token of today has this page.</source>
        <translation>आज के किसी टोकन का यह पेज नहीं है।</translation>
    </message>
    <message>
        <source>This token is no longer waiting.</source>
        <translation>यह टोकन अब प्रतीक्षा में नहीं है।</translation>
    </message>
    <message>
        <source>The alert has already been given.</source>
        <translation>सूचना पहले ही दी जा चुकी है।</translation>
    </message>
    <message>
        <source>Alerts cannot be kept now. Please try again later.</source>
        <translation>अभी सूचना सहेजी नहीं जा सकती। कृपया बाद में फिर से प्रयास करें।</translation>
    </message>
    <message>
        <source>Too many changes: wait a minute and try again.</source>
        <translation>बहुत अधिक बदलाव: एक मिनट रुकें और फिर से प्रयास करें।</translation>
    </message>
    <message>
        <source>Tell me when my turn is near</source>
        <translation>मेरी बारी पास आने पर मुझे बताएँ</translation>
    </message>
    <message>
        <source>5 minutes before</source>
        <translation>5 मिनट पहले</translation>
    </message>
    <message>
        <source>10 minutes before</source>
        <translation>10 मिनट पहले</translation>
    </message>
    <message>
        <source>15 minutes before</source>
        <translation>15 मिनट पहले</translation>
    </message>
    <message>
        <source>When I am next</source>
        <translation>जब मैं अगला हूँ</translation>
    </message>
    <message>
        <source>Phone number for a text message (optional)</source>
        <translation>एसएमएस के लिए फ़ोन नंबर (वैकल्पिक)</translation>
    </message>
    <message>
        <source>Tell me</source>
        <translation>मुझे बताएँ</translation>
    </message>
    <message>
        <source>Stop telling me</source>
        <translation>मुझे बताना बंद करें</translation>
    </message>
    <message>
        <source>You will be told about %1 minutes before your turn.</source>
        <translation>आपकी बारी से लगभग %1 मिनट पहले आपको बताया जाएगा।</translation>
    </message>
    <message>
        <source>You will be told when you are next.</source>
        <translation>जब आप अगले होंगे, आपको बताया जाएगा।</translation>
    </message>
    <message>
        <source>A text message will be sent too.</source>
        <translation>एक एसएमएस भी भेजा जाएगा।</translation>
    </message>
    <message>
        <source>Your turn is near. Please come back to the hall now.</source>
        <translation>आपकी बारी पास है। कृपया अभी हॉल में लौट आएँ।</translation>
    </message>
    <message>
        <source>Take a token</source>
        <translation>टोकन लें</translation>
    </message>
    <message>
        <source>Choose a service: your token is taken at once and its page opens.</source>
        <translation>कोई सेवा चुनें: आपका टोकन तुरंत लिया जाता है और उसका पेज खुल जाता है।</translation>
    </message>
    <message>
        <source>No service can be joined from a phone now.</source>
        <translation>अभी फ़ोन से किसी सेवा की कतार में नहीं जुड़ा जा सकता।</translation>
    </message>
    <message>
        <source>Open your token</source>
        <translation>अपना टोकन खोलें</translation>
    </message>
    <message>
        <source>You already have a token for this service.</source>
        <translation>इस सेवा के लिए आपके पास पहले से एक टोकन है।</translation>
    </message>
    <message>
        <source>Too many tokens were taken from this connection in the last hour. Please take one at the kiosk.</source>
        <translation>पिछले एक घंटे में इस कनेक्शन से बहुत अधिक टोकन लिए गए। कृपया कियोस्क से टोकन लें।</translation>
    </message>
    <message>
        <source>This service gives no more tokens today.</source>
        <translation>यह सेवा आज और टोकन नहीं देती।</translation>
    </message>
    <message>
        <source>Tokens cannot be taken from a phone at the moment. Please take one at the kiosk.</source>
        <translation>इस समय फ़ोन से टोकन नहीं लिए जा सकते। कृपया कियोस्क से टोकन लें।</translation>
    </message>
    <message>
        <source>This service cannot be joined from a phone now.</source>
        <translation>अभी फ़ोन से इस सेवा की कतार में नहीं जुड़ा जा सकता।</translation>
    </message>
</context>
<context>
    <name>WebServer</name>
    <message>
        <source>No theme of that name</source>
        <translation type="unfinished">इस नाम की कोई थीम नहीं है</translation>
    </message>
    <message>
        <source>The database cannot be reached</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Too many requests</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Method not allowed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cross-site form refused</source>
        <translation type="unfinished"></translation>
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
    <name>frmAdminPass</name>
    <message>
        <source>Change Admin Password</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmBackup</name>
    <message>
        <source>Backup &amp; Restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore From</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup To</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%v of %m tables</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A backup made here of the server&apos;s database (data.dump)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Server database backups (*.dump);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database backups (*.mdb);;All files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No database is open, so there is nothing to back up or restore.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click on a directory to Backup </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to backup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the folder to backup to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a different folder </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; cannot be made</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose the file to restore from</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source file should not be same</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Backup Completed Successfully 
%1
(also kept as %2, the newest backup)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore Complete!
The database it replaced is kept in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore Complete!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RESTORE SUCCESSFUL</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error <byte value="xd"/>
</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmBulk</name>
    <message>
        <source>Print Bulk Token</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Service</source>
        <translation type="unfinished">सेवा चुनें</translation>
    </message>
    <message>
        <source>Starting Token</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tickets to Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Issue Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Continue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select a service </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to print %1 Tokens? </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmCall</name>
    <message>
        <source>Walk in</source>
        <translation>वॉक-इन</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>रिपोर्ट</translation>
    </message>
    <message>
        <source>Appointment</source>
        <translation>अपॉइंटमेंट</translation>
    </message>
    <message>
        <source>Emergency</source>
        <translation>आपातकालीन</translation>
    </message>
    <message>
        <source>Cancell F6</source>
        <translation>रद्द करें F6</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>बाहर निकलें</translation>
    </message>
    <message>
        <source>Show Room &amp;&amp; Dr. Name</source>
        <translation>कमरा &amp;&amp; डॉक्टर का नाम दिखाएँ</translation>
    </message>
    <message>
        <source>Walk-in tokens called</source>
        <translation>बुलाए गए वॉक-इन टोकन</translation>
    </message>
    <message>
        <source>Appointment time of the transferred token last clicked</source>
        <translation>अंतिम चुने गए स्थानांतरित टोकन का अपॉइंटमेंट समय</translation>
    </message>
    <message>
        <source>Walk-ins called:</source>
        <translation>बुलाए गए वॉक-इन:</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>कॉल</translation>
    </message>
    <message>
        <source>SN</source>
        <translation>क्रम</translation>
    </message>
    <message>
        <source>Token</source>
        <translation>टोकन</translation>
    </message>
    <message>
        <source>At</source>
        <translation>समय</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>स्थिति</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>समय</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>प्रकार</translation>
    </message>
    <message>
        <source>Transfred %1</source>
        <translation>स्थानांतरित %1</translation>
    </message>
    <message>
        <source>Do you want to Close</source>
        <translation>क्या आप बंद करना चाहते हैं</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>अपडेट करें</translation>
    </message>
    <message>
        <source>Transfer to Counter</source>
        <translation>काउंटर पर भेजें</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation>टिप्पणी</translation>
    </message>
    <message>
        <source>Error no valid token</source>
        <translation>त्रुटि: कोई मान्य टोकन नहीं</translation>
    </message>
    <message>
        <source>Updated</source>
        <translation>अपडेट हो गया</translation>
    </message>
    <message>
        <source>Select Token</source>
        <translation>टोकन चुनें</translation>
    </message>
    <message>
        <source>Select a token first</source>
        <translation>पहले एक टोकन चुनें</translation>
    </message>
    <message>
        <source>Not Arrived</source>
        <translation>नहीं आया</translation>
    </message>
    <message>
        <source>Not arrived</source>
        <translation>नहीं आए</translation>
    </message>
    <message>
        <source>Issued</source>
        <translation>जारी</translation>
    </message>
    <message>
        <source>Not arrived %1</source>
        <translation>नहीं आए %1</translation>
    </message>
    <message>
        <source>No token is being served</source>
        <translation>अभी किसी टोकन की सेवा नहीं हो रही</translation>
    </message>
    <message>
        <source>The visitor did not come: the token leaves this counter, counted apart from cancellations, and Next goes on</source>
        <translation>आगंतुक नहीं आया: टोकन इस काउंटर से हट जाता है, रद्द टोकनों से अलग गिना जाता है, और Next आगे बढ़ता है</translation>
    </message>
    <message>
        <source>Recall the token first: %1 of %2 recalls done</source>
        <translation>पहले टोकन को दोबारा बुलाएँ: %2 में से %1 बार बुलाया गया</translation>
    </message>
</context>
<context>
    <name>frmCallAdmin</name>
    <message>
        <source>Call This F6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show Counter &amp;&amp; Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Marks the current token as cancelled</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counter</source>
        <translation type="unfinished">काउंटर</translation>
    </message>
    <message>
        <source>Dr. Name/ Service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transfer to Counter</source>
        <translation type="unfinished">काउंटर पर भेजें</translation>
    </message>
    <message>
        <source>My Counter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Call</source>
        <translation type="unfinished">कॉल</translation>
    </message>
    <message>
        <source>SN</source>
        <translation type="unfinished">क्रम</translation>
    </message>
    <message>
        <source>Token</source>
        <translation type="unfinished">टोकन</translation>
    </message>
    <message>
        <source>At</source>
        <translation type="unfinished">समय</translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished">स्थिति</translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished">समय</translation>
    </message>
    <message>
        <source>Transfred %1</source>
        <translation type="unfinished">स्थानांतरित %1</translation>
    </message>
</context>
<context>
    <name>frmChPass</name>
    <message>
        <source>Change Password</source>
        <translation type="unfinished">पासवर्ड बदलें</translation>
    </message>
</context>
<context>
    <name>frmClearData</name>
    <message>
        <source>Clear Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Everything before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is nothing dated before %1.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmCntLst</name>
    <message>
        <source>Counter List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SN</source>
        <translation type="unfinished">क्रम</translation>
    </message>
    <message>
        <source>Department</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counter Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to delete </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot delete </source>
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
    <message>
        <source>Company Details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Company Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Company Name should not be blank</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmCounter</name>
    <message>
        <source>Counter Details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>counter</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counter List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counter Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Service</source>
        <translation type="unfinished">सेवा चुनें</translation>
    </message>
    <message>
        <source>User Name</source>
        <translation type="unfinished">उपयोगकर्ता नाम</translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished">पासवर्ड</translation>
    </message>
    <message>
        <source>Re-Password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Language 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>kept unless typed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Passwords should be same </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a valid service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counter Name should not be blank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Name should not be blank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmDept</name>
    <message>
        <source>Department</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>department</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Department List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Department Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished">प्रकार</translation>
    </message>
    <message>
        <source>Department name should not be blank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Department Type should not be blank</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmDeptLst</name>
    <message>
        <source>Deparment Lst</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SN</source>
        <translation type="unfinished">क्रम</translation>
    </message>
    <message>
        <source>Deparment</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished">प्रकार</translation>
    </message>
    <message>
        <source>Cannot delete </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmDesign</name>
    <message>
        <source>Vertical Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Design</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fit to Content</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished">बाहर निकलें</translation>
    </message>
    <message>
        <source>Hall screen (pixels):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Comp-Logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time-Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token Table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>News</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please save the theme first</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a block first (Menu, Design)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1: %2 × %3 pixels on the board</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Layout saved</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drag a block to move it, its handles to size it</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Menu, Design: move and size the blocks</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmDisplay</name>
    <message>
        <source>Display</source>
        <translation>डिस्प्ले</translation>
    </message>
</context>
<context>
    <name>frmEditor</name>
    <message>
        <source> Scroll Editor.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Normal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Heading1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Heading2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Heading3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Text colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Direction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unicode News</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Wait... (Loading Fonts)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CAPS</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The changes to the message in the news editor are not saved.
Do you want to save them first?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The new message in the news editor is not saved.
Do you want to save it first?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This message was deleted on another workstation after it was opened here.
Do you want to save your text as a new message?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select a font size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The text in the untitled file has changed.
Do you want to save the changes ?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Untitled - </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished">खुला</translation>
    </message>
    <message>
        <source>Document Files (*.doc);;Text Documents (*.txt);;Rich Text Format (*.rtf);;All Files (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> Scroll Editor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save As</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rich Text Format (*.rtf);;Text Documents (*.txt)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Saved as %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find what:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot find &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace with:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove &amp; Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 replaced</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tab stops in twips (1440 to the inch), separated by blanks:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tabs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a tab stop: give whole twips from 1 to 31680.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line : %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Open ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;As ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Undo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;ut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Select All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find &amp;Next</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove &amp;&amp; Replace</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fo&amp;rmat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bold</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Italic</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Underline</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Strikeout</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bullets</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Paragraph ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left Align</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Center Align</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Right Align</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Word Case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Upper Case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lower Case</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Fore Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Back Colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tabs ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SaveAs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Center</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
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
        <translation>यहाँ लॉग इन करें</translation>
    </message>
    <message>
        <source>Admin</source>
        <translation>व्यवस्थापक</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>काउंटर</translation>
    </message>
    <message>
        <source>Select Counter</source>
        <translation>काउंटर चुनें</translation>
    </message>
    <message>
        <source>Memorize </source>
        <translation>याद रखें </translation>
    </message>
    <message>
        <source>Login</source>
        <translation>लॉग इन</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>बाहर निकलें</translation>
    </message>
    <message>
        <source>Queue management</source>
        <translation>कतार प्रबंधन</translation>
    </message>
    <message>
        <source>User Name</source>
        <translation>उपयोगकर्ता नाम</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>पासवर्ड</translation>
    </message>
    <message>
        <source>Please wait %1 seconds before the next try.</source>
        <translation>अगले प्रयास से पहले कृपया %1 सेकंड प्रतीक्षा करें।</translation>
    </message>
    <message>
        <source>Wrong password: the next try is possible in %1 s.</source>
        <translation>गलत पासवर्ड: अगला प्रयास %1 सेकंड में हो सकता है।</translation>
    </message>
    <message>
        <source>There is no administrator yet: create the first one.</source>
        <translation>अभी कोई व्यवस्थापक नहीं है: पहला व्यवस्थापक बनाएँ।</translation>
    </message>
    <message>
        <source>Please enter a valid username and password</source>
        <translation>कृपया मान्य उपयोगकर्ता नाम और पासवर्ड दर्ज करें</translation>
    </message>
    <message>
        <source>Please enter a valid Username and Password</source>
        <translation>कृपया मान्य उपयोगकर्ता नाम और पासवर्ड दर्ज करें</translation>
    </message>
    <message>
        <source>The counter screen is not installed with this program.</source>
        <translation>काउंटर स्क्रीन इस प्रोग्राम के साथ स्थापित नहीं है।</translation>
    </message>
</context>
<context>
    <name>frmPass</name>
    <message>
        <source>Enter Password</source>
        <translation>पासवर्ड दर्ज करें</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>मिटाएँ</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>दर्ज करें</translation>
    </message>
    <message>
        <source>Wait %1 s</source>
        <translation>%1 सेकंड प्रतीक्षा करें</translation>
    </message>
    <message>
        <source>Enter Valid Password</source>
        <translation>मान्य पासवर्ड दर्ज करें</translation>
    </message>
</context>
<context>
    <name>frmScroll</name>
    <message>
        <source>Scroll News</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Find</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When ticked, only active messages are listed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SN</source>
        <translation type="unfinished">क्रम</translation>
    </message>
    <message>
        <source>Message</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Direction</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to delete the selected</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmSelService</name>
    <message>
        <source>Select Service</source>
        <translation>सेवा चुनें</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>ठीक है</translation>
    </message>
    <message>
        <source>Counter</source>
        <translation>काउंटर</translation>
    </message>
    <message>
        <source>Please enter a valid Counter</source>
        <translation>कृपया मान्य काउंटर दर्ज करें</translation>
    </message>
</context>
<context>
    <name>frmSelectClock</name>
    <message>
        <source>Select Clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmSelectCounter</name>
    <message>
        <source> Select Counter to Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click a row or press Space to tick or clear it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SN</source>
        <translation type="unfinished">क्रम</translation>
    </message>
    <message>
        <source>Department</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Counter Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmSerNo</name>
    <message>
        <source>Set Service No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select a service </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Contains same date entry</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmServLst</name>
    <message>
        <source>Service List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SN</source>
        <translation type="unfinished">क्रम</translation>
    </message>
    <message>
        <source>Department</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Prefix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to delete </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot delete </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot delete: counters still serve this service. Give them another service or delete them first.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmServNo</name>
    <message>
        <source>Set Service Starting No.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SN</source>
        <translation type="unfinished">क्रम</translation>
    </message>
    <message>
        <source>Service Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active</source>
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
    <message>
        <source>Service Details</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>service</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Dept</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tokent Start</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tokent End</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token Prefix</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Save. Prefix Should not be Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Save. Enter a valid Starting number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Save. Enter a valid Ending number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Check Starting and Ending Number</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a department name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Service name should not be blank</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Visitors may take tokens from their phones</source>
        <translation>आगंतुक अपने फ़ोन से टोकन ले सकते हैं</translation>
    </message>
    <message>
        <source>The service is listed on the hall&apos;s web page /join, where a visitor takes a token without the kiosk</source>
        <translation>यह सेवा हॉल के वेब पेज /join पर दिखाई जाती है, जहाँ आगंतुक कियोस्क के बिना टोकन लेता है</translation>
    </message>
    <message>
        <source>No cap</source>
        <translation>कोई सीमा नहीं</translation>
    </message>
    <message>
        <source>A walk-in that has waited more than this is called before new emergencies and appointments</source>
        <translation>इससे अधिक प्रतीक्षा कर चुका वॉक-इन नए आपातकालीन और अपॉइंटमेंट टोकन से पहले बुलाया जाता है</translation>
    </message>
    <message>
        <source>Walk-in wait cap</source>
        <translation>वॉक-इन प्रतीक्षा सीमा</translation>
    </message>
</context>
<context>
    <name>frmSettings</name>
    <message>
        <source>(none chosen)</source>
        <translation>(कुछ नहीं चुना)</translation>
    </message>
    <message>
        <source>This computer&apos;s language</source>
        <translation>इस कंप्यूटर की भाषा</translation>
    </message>
    <message>
        <source>Two or more: the kiosk lets the visitor choose first</source>
        <translation>दो या अधिक: कियोस्क पहले आगंतुक से भाषा चुनवाता है</translation>
    </message>
    <message>
        <source>Kiosk Also Offers</source>
        <translation>कियोस्क यह भी देता है</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>भाषा</translation>
    </message>
    <message>
        <source>Kiosk Languages</source>
        <translation>कियोस्क की भाषाएँ</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished">सेटिंग्स</translation>
    </message>
    <message>
        <source>Auto -Start Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Single</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Dual</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Partial</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Normal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Full Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable Input</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable Mull Colums</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display</source>
        <translation type="unfinished">डिस्प्ले</translation>
    </message>
    <message>
        <source>Theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Screen Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Screen Row Height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scroll Speed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kiosk and Ticket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default Department</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ticket</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Default Transfer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Label Cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No. Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Printer</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Web Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voice</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voice Lang.1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voice Lang 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Announce Calls</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Live Video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Input Source</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot Save Please select a Theme</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmSplash</name>
    <message>
        <source>Queue management for service halls</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmSql</name>
    <message>
        <source>SQL Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Windows Authentication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SQL Authentication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Windows Authentication connects as the operating-system user without a password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>empty: the embedded database file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test Connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Makes a new, empty hall database where the test found none</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Authentication</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Host</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Database</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Username</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished">पासवर्ड</translation>
    </message>
    <message>
        <source>Type the database password to save the connection.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The connection holds until the program ends; it could not be kept for the next start.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection Success</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection Failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a new, empty hall database in %1?
It holds no departments, services, counters or users until you add them.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The new hall&apos;s database is ready. Save the connection to use it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmTT</name>
    <message>
        <source>Please take your ticket</source>
        <translation>कृपया अपना टिकट लें</translation>
    </message>
    <message>
        <source>and wait for your number to be called</source>
        <translation>और अपना नंबर बुलाए जाने की प्रतीक्षा करें</translation>
    </message>
</context>
<context>
    <name>frmThLst</name>
    <message>
        <source>Theme List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SN</source>
        <translation type="unfinished">क्रम</translation>
    </message>
    <message>
        <source>Type</source>
        <translation type="unfinished">प्रकार</translation>
    </message>
    <message>
        <source>Template Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to delete the selected </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmTheme</name>
    <message>
        <source>Theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Horrizontal</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>e.g. 2500;2500</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable Header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scroll</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enable Movie</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Position</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Counter</source>
        <translation type="unfinished">काउंटर चुनें</translation>
    </message>
    <message>
        <source>Select Clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Header</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scroll Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please Enter a valid colum widths</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select a name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jpeg Files(*.jpg)|*.jpg|GIF Files(*.gif)|*.gif|Flash Files(*.swf)|*.swf|All Files(*.*)|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jpeg Files(*.jpg)|*.jpg|</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video Files (*.avi;*.dat;*.mpg;*.wmv)| *.avi;*.dat;*.mpg;*.wmv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jpeg Files(*.jpg)|*.jpg|GIF Files(*.gif)|*.gif|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click to choose a colour</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The clock as the board shows it with this format</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished">खुला</translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DisplayType</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colums</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rows</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Column Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>one per column, separated by &quot;;&quot; (2500;2500)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row Height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Column1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Column2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Title</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Heading</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font Size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Colors</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BG Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Line Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Alt Row Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Screen BG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>News BG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ForeColor</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Format Time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Header Deatils</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Header BG</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>First Column</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Row Font</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Second Column</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pictures and Video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Logo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Background</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Header img</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Detail img</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Video To Display</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Online Video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Volume</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Picture Slide Duration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The theme &quot;%1&quot; has been deleted meanwhile, so the changes were not saved. To keep them, choose Add New in the Theme List and save again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmTicket</name>
    <message>
        <source>&lt;-Back</source>
        <translation>&lt;-वापस</translation>
    </message>
    <message>
        <source>Please wait: the server does not answer</source>
        <translation>कृपया प्रतीक्षा करें: सर्वर उत्तर नहीं दे रहा है</translation>
    </message>
    <message>
        <source>Print Ticket</source>
        <translation>टिकट छापें</translation>
    </message>
    <message>
        <source>Token Type</source>
        <translation>टोकन का प्रकार</translation>
    </message>
    <message>
        <source>Walk-In</source>
        <translation>वॉक-इन</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>रिपोर्ट</translation>
    </message>
    <message>
        <source>Appointment</source>
        <translation>अपॉइंटमेंट</translation>
    </message>
    <message>
        <source>Emergency </source>
        <translation>आपातकालीन </translation>
    </message>
    <message>
        <source> Select Date: </source>
        <translation> तारीख चुनें: </translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>बाहर निकलें</translation>
    </message>
    <message>
        <source>Select Department</source>
        <translation>विभाग चुनें</translation>
    </message>
    <message>
        <source>No department of the type &quot;%1&quot;</source>
        <translation>&quot;%1&quot; प्रकार का कोई विभाग नहीं</translation>
    </message>
    <message>
        <source>Select Service</source>
        <translation>सेवा चुनें</translation>
    </message>
    <message>
        <source>Departments and services</source>
        <translation>विभाग और सेवाएँ</translation>
    </message>
    <message>
        <source>Back to the departments</source>
        <translation>विभागों पर वापस</translation>
    </message>
</context>
<context>
    <name>frmTicketF</name>
    <message>
        <source>Print Ticket</source>
        <translation>टिकट छापें</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>बाहर निकलें</translation>
    </message>
    <message>
        <source>Select Service</source>
        <translation>सेवा चुनें</translation>
    </message>
    <message>
        <source>Waiting for the server to answer...</source>
        <translation>सर्वर के उत्तर की प्रतीक्षा है...</translation>
    </message>
    <message>
        <source>No Walk-In or Report department offers an active service (Modules &gt; Settings, Default Department).</source>
        <translation>कोई भी वॉक-इन या रिपोर्ट विभाग सक्रिय सेवा नहीं देता (Modules &gt; Settings, Default Department)।</translation>
    </message>
    <message>
        <source>The department &quot;%1&quot; offers no active service.</source>
        <translation>विभाग &quot;%1&quot; कोई सक्रिय सेवा नहीं देता।</translation>
    </message>
    <message>
        <source>The departments %1 offer no active service.</source>
        <translation>विभाग %1 कोई सक्रिय सेवा नहीं देते।</translation>
    </message>
    <message>
        <source>Services</source>
        <translation>सेवाएँ</translation>
    </message>
    <message>
        <source>Staff corner</source>
        <translation>कर्मचारी कोना</translation>
    </message>
</context>
<context>
    <name>frmTransfer</name>
    <message>
        <source>Transfer</source>
        <translation type="unfinished">स्थानांतरण</translation>
    </message>
    <message>
        <source>&amp;Update</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transfer to Counter</source>
        <translation type="unfinished">काउंटर पर भेजें</translation>
    </message>
    <message>
        <source>Notes</source>
        <translation type="unfinished">टिप्पणी</translation>
    </message>
    <message>
        <source>Time</source>
        <translation type="unfinished">समय</translation>
    </message>
    <message>
        <source>Please enter a valid time</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token %1 has already been called. Nothing was changed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmUserLst</name>
    <message>
        <source>User List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Admin</source>
        <translation type="unfinished">व्यवस्थापक</translation>
    </message>
    <message>
        <source>User</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New User</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User Name</source>
        <translation type="unfinished">उपयोगकर्ता नाम</translation>
    </message>
    <message>
        <source>Password</source>
        <translation type="unfinished">पासवर्ड</translation>
    </message>
    <message>
        <source>User Type</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter all Details                </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Existing User, select another Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to Remove the Selected User</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmVideo</name>
    <message>
        <source>Select Video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Browse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select a video</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The video &quot;%1&quot; has been deleted meanwhile, so the changes were not saved. To keep them, choose Add New in the Video List and save again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmVideoLst</name>
    <message>
        <source>Video List</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add New</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SN</source>
        <translation type="unfinished">क्रम</translation>
    </message>
    <message>
        <source>Video Description</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Active</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Yes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to delete the selected</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>frmcallDelete</name>
    <message>
        <source>Delete Call Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete Call Data Before</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select Date</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to Delete </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Successfully Deleted </source>
        <translation type="unfinished"></translation>
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
    <message>
        <source>1 ticket is selected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 tickets are selected.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you want to Delete?              
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No ticket is selected. Click a row to select it; Shift-click or Ctrl-click adds more rows.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 ticket deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 tickets deleted.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a Brivane database; nothing was restored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was made by a newer version of Brivane (schema %2); nothing was restored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No embedded database is open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backup was written to &quot;%1&quot; but could not be copied to &quot;%2&quot;: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a database file; nothing was restored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Source file should not be same</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The present database could not be kept as &quot;%1&quot;, so nothing was restored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database was restored, but what it replaced is in &quot;%1&quot; (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 ticket(s) and %2 call row(s) dated before %3 will be deleted, whatever their state. This cannot be undone.
Do you want to delete them?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deleted %1 ticket(s) and %2 call row(s) dated before %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Type &apos;Yes&apos; to Restore </source>
        <extracomment>The restore screen goes on only for the English word Yes, whatever the language.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The database is still open on another screen or workstation; close it there and restore again</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The phone numbers could not be left out of the backup: %1</source>
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
    <message>
        <source>Error: %1 on line: 0
Description: %2
in procedure Sheet2Excel of Form modFlexExcel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sheet2Excel: %1 columns specified.<byte value="xd"/>
The maximum number of colums Excel can handle is 255</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The workbook was saved as
%1
No spreadsheet program is set up to open it on this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The report is still being listed.
Send it to Excel when all its rows are shown.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The workbook cannot be written to
%1
Choose another folder or name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Send to Excel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Excel Workbook (*.xlsx)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error. Cannot Continue </source>
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
    <name>serverbackup</name>
    <message>
        <source>%1 was not found. Install the PostgreSQL client programs (package postgresql-client) and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 %2 cannot work with this PostgreSQL %3 server. Install the client programs of version %3 or newer (package postgresql-client-%3) and try again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pg_dump failed; nothing was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backup could not be written to &quot;%1&quot;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot; cannot be written to</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The backup was written to &quot;%1&quot; but could not be copied to &quot;%2&quot;: %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; does not exist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a backup of a database held by a PostgreSQL server; nothing was restored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be read: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a backup of a Brivane database; nothing was restored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; was made by a newer version of Brivane (schema %2); nothing was restored</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 other %2 connected to this database: %3. Close Brivane there (and any other program using the database), then restore again; nothing was restored.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>workstation is</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>workstations are</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The present database could not be kept as &quot;%1&quot;, so nothing was restored: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The restore failed and was undone; the database is as it was.
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tokenMoves</name>
    <message>
        <source>Service Name  : %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not Found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Token %1 has already been called or transferred by another counter. Nothing was changed.</source>
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
