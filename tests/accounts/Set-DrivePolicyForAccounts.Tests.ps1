# The accounts script run against an in-memory PC: its registry and reg.exe functions are
# replaced by fakes over $PC, whose hives are NTUSER.DAT values by profile folder and whose mounts
# are the folders loaded under HKEY_USERS, by name.
Describe 'Set-DrivePolicyForAccounts' {
    BeforeAll {
        $Script = Join-Path $PSScriptRoot ../../accounts/Set-DrivePolicyForAccounts.ps1
        $Fakes = {
            function Get-ProfileList { $PC.Profiles }
            # The users in SignIn sign in just after the run's first look.
            function Get-LoadedHive { @($PC.Mounts.Keys); foreach ($sid in $PC.SignIn) { $PC.Mounts[$sid] = $PC.Profiles[$sid] }; $PC.SignIn = @() }
            function Read-PolicyValue($Hive, $Name) { $PC.Hives[$PC.Mounts[$Hive]][$Name] }
            # A Fault is thrown, or with 'stop' waits to be stopped, as a write is refused or cut short.
            function Write-PolicyValue($Hive, $Name, $Value) {
                $PC.Log += "write $($PC.Mounts[$Hive])"; if ($PC.Fault) { $PC.Reached = $true; if ($PC.Fault -eq 'stop') { Start-Sleep -Seconds 30 }; throw $PC.Fault }
                $PC.Hives[$PC.Mounts[$Hive]][$Name] = $Value
            }
            function Invoke-RegLoad($Mount, $File) {
                $folder = $File -replace '\\NTUSER\.DAT$'
                if ($PC.Mounts.ContainsValue($folder)) { throw "$File is in use" }
                $PC.Mounts[$Mount] = $folder; $PC.Log += "load $folder"
            }
            function Invoke-RegUnload($Mount) { $PC.Mounts.Remove($Mount) }
            function Test-FileExists($Path) { $PC.Hives.ContainsKey(($Path -replace '\\NTUSER\.DAT$')) }
            function Get-AccountName($Sid) { $PC.Names[$Sid] }
            function Test-Elevated { $PC.Elevated }
        }
        . $Script
        . $Fakes
        # The run's report, with arguments as a command line gives them, and its exit code last.
        function Run([string] $Arguments) {
            $out = @(Invoke-Expression "Invoke-DrivePolicy $Arguments" 6>&1)
            ($out[0..($out.Count - 2)] + "exit $($out[-1])") -join "`n"
        }
    }

    BeforeEach {
        $u = 'C:\Users\'
        $s = 'S-1-5-21-7-100'
        $system = 'C:\Windows\system32\config\systemprofile'
        # 2 is child renamed teen, whose folder kept its name; 3 the child made after; 6 and 8 stale
        # SIDs with parent's and teen's folders. Parent is signed in, another program holds kiosk's
        # file open, and an earlier run left guest's loaded.
        $PC = @{ Log = @(); SignIn = @(); Fault = $null; Reached = $false; Elevated = $true; Hives = @{ $system = @{} }
            Profiles = @{ Default = "${u}Default"; 'S-1-5-18' = $system; "${s}1" = "${u}parent"; "${s}2" = "${u}child"; "${s}3" = "${u}child.PC"
                "${s}4" = "${u}gone"; "${s}5" = "${u}kiosk"; "${s}6" = "${u}parent"; "${s}7" = "${u}guest"; "${s}8" = "${u}child" }
            Names = @{ 'S-1-5-18' = 'NT AUTHORITY\SYSTEM'; "${s}1" = 'PC\parent'; "${s}2" = 'PC\teen'; "${s}3" = 'PC\child'; "${s}4" = 'PC\gone'; "${s}5" = 'PC\kiosk'; "${s}7" = 'PC\guest' }
            Mounts = @{ 'S-1-5-18' = $system; "${s}1" = "${u}parent"; Other = "${u}kiosk"; "Talmoran-${s}7" = "${u}guest" }
        }
        foreach ($folder in 'Default', 'parent', 'child', 'child.PC', 'kiosk', 'guest') { $PC.Hives["$u$folder"] = @{} }
    }

    It 'writes every account once, the Default profile too, leaves no hive of its own loaded, and writes nothing again' {
        (Run '-Restriction Hide -Drives C,d:') -split "`n" -like 'FAILED*' | Should -Be 'FAILED: PC\kiosk, S-1-5-21-7-1005: C:\Users\kiosk\NTUSER.DAT is in use'
        $PC.Log -like 'write*' | Sort-Object | Should -Be ('child', 'child.PC', 'Default', 'guest', 'parent' | ForEach-Object { "write $u$_" })
        foreach ($folder in 'Default', 'child', 'child.PC', 'guest', 'parent') { $PC.Hives["$u$folder"].NoDrives | Should -Be 12 }
        $PC.Mounts.Keys | Sort-Object | Should -Be ('Other', 'S-1-5-18', "${s}1")
        $PC.Log = @()
        Run '-Restriction Hide -Drives C,d:' | Should -BeLike '*0 written, 5 already set, 3 not reachable or left alone, 1 failed*exit 1'
        $PC.Log -like 'write*' | Should -BeNullOrEmpty
    }

    It 'writes whom -Account <Account> names<When>, and exits <Code>' -TestCases @(
        @{ Account = 'child'; Code = 0; Writes = 'child.PC'; Says = 'written: PC\child, S-1-5-21-7-1003 (-Account child, by account name or SID)' }
        @{ Account = 'PC\teen'; Code = 0; Writes = 'child'; Says = 'written: PC\teen' }
        @{ Account = 'S-1-5-21-7-1002'; Code = 0; Writes = 'child'; Says = 'written: PC\teen' }
        @{ Account = 'child.PC'; Code = 0; Writes = 'child.PC'; Says = 'by folder name' }
        @{ Account = 'parent'; Code = 0; Writes = 'parent'; Says = 'written: PC\parent, S-1-5-21-7-1001 (-Account parent, by account name or SID) (profile loaded)' }
        @{ Account = 'guest'; Code = 0; Writes = 'guest'; Says = 'unloaded: HKEY_USERS\Talmoran-S-1-5-21-7-1007' }
        @{ Account = 'child'; When = ' while PC\child signs in'; SignIn = 'S-1-5-21-7-1003'; Code = 0; Writes = 'child.PC'; Says = 'signed in during the run' }
        @{ Account = 'gone'; Code = 1; Writes = @(); Says = 'not reachable: PC\gone' }
        @{ Account = 'nobody'; Code = 1; Writes = @(); Says = 'FAILED: nobody: no account' }
        @{ Account = 'kiosk'; Code = 1; Writes = @(); Says = 'FAILED: PC\kiosk' }
        @{ Account = 'S-1-5-21-7-1006'; Code = 1; Writes = @(); Says = 'left alone: C:\Users\parent, S-1-5-21-7-1006' }
        @{ Account = 'child, gone'; Code = 1; Writes = 'child.PC'; Says = '1 written, 0 already set, 0 not reachable or left alone, 1 failed' }
    ) {
        $PC.SignIn = @($SignIn | Where-Object { $_ })
        Run "-Restriction Hide -Drives C -Account $Account" | Should -BeLike "*$Says*exit $Code"
        @($PC.Log -like 'write*') | Should -Be @($Writes | ForEach-Object { "write $u$_" })
        $PC.Mounts.Keys -like 'Talmoran-*' | Should -BeNullOrEmpty
    }

    It 'exits <Code> for <Arguments> -Account child, and child holds <Holds>' -TestCases @(
        @{ Arguments = '-Restriction Hide -Drives C,d:'; Code = 0; Holds = 'NoDrives = 12' }
        @{ Arguments = '-Restriction lock -Drives all'; Code = 0; Holds = 'NoViewOnDrive = 67108863' }
        @{ Arguments = '-Restriction Hide -Drives c:, Z'; Code = 0; Holds = 'NoDrives = 33554436' }
        @{ Arguments = '-Restriction Hide -Mask 0'; Code = 0; Holds = 'NoDrives = 0' }
        @{ Arguments = '-Restriction Hide -Mask 67108864'; Code = 2; Holds = @() }
        @{ Arguments = '-Restriction Hide -Mask 4 -Drives C'; Code = 2; Holds = @() }
        @{ Arguments = '-Restriction Show -Drives CD'; Code = 2; Holds = @() }
        @{ Arguments = '-Restriction Hide -Drives C (not elevated)'; Code = 2; Holds = @() }
        @{ Arguments = '-Restriction Hide -Drives C -WhatIf'; Code = 0; Holds = @() }
    ) {
        $PC.Elevated = $Arguments -notlike '*(not elevated)'
        $mounts = @($PC.Mounts.Keys)
        $given = $Arguments -replace ' [(]not elevated[)]'
        Run "$given -Account child" | Should -BeLike "*exit $Code"
        @($PC.Hives["${u}child.PC"].GetEnumerator() | ForEach-Object { "$($_.Key) = $($_.Value)" }) | Should -Be $Holds
        if (-not $Holds) { $PC.Log | Should -BeNullOrEmpty; $PC.Mounts.Keys | Should -Be $mounts }
    }

    It 'unloads the hive it loaded when <When>' -TestCases @(@{ When = 'the write fails'; Fault = 'Access is denied.' }, @{ When = 'the run is stopped'; Fault = 'stop' }) {
        $PC.Fault = $Fault
        $shell = [powershell]::Create().AddScript("param(`$PC)`n. '$Script'`n$Fakes`nInvoke-DrivePolicy -Restriction Hide -Drives C -Account child").AddArgument($PC)
        $run = $shell.BeginInvoke()
        while (-not $PC.Reached -and -not $run.IsCompleted) { Start-Sleep -Milliseconds 20 }
        if ($Fault -eq 'stop') { $shell.Stop() } else { $shell.EndInvoke($run) | Should -Be 1 }
        $PC.Log | Should -Be "load ${u}child.PC", "write ${u}child.PC"
        $PC.Mounts.Keys -like 'Talmoran-*' | Should -BeNullOrEmpty
        $shell.Dispose()
    }

    It 'stops at an error nothing expected, with a line saying what failed, and exits 1' {
        function Get-ProfileList { throw 'Requested registry access is not allowed.' }
        Run '-Restriction Hide -Drives C' | Should -BeLike '*FAILED, run stopped: Requested registry access is not allowed.*exit 1'
    }

    It 'exits <Code> through pwsh, saying "<Says>"' -TestCases @(
        @{ Arguments = '-File', 'SCRIPT', '-Restriction', 'Hide', '-Mask', 'C'; Code = 2; Says = 'Give -Restriction Lock or Hide' }
        @{ Arguments = '-File', 'SCRIPT', '-Restriction', 'Hide', '-Drives', 'C', '-Acount', 'child'; Code = 2; Says = 'Not a parameter of this script: -Acount child.' }
        @{ Arguments = '-Command', "`$ExecutionContext.SessionState.LanguageMode = 'ConstrainedLanguage'; & 'SCRIPT' -Restriction Hide -Drives C; exit `$LASTEXITCODE"
            Code = 1; Says = 'FAILED: PowerShell runs this script in ConstrainedLanguage mode' }
    ) {
        # The output's lines joined by spaces, then the exit code, read after pwsh ends.
        "$(& (Join-Path $PSHOME pwsh) -NoProfile -NonInteractive @($Arguments -replace 'SCRIPT', $Script))`nexit $LASTEXITCODE" | Should -BeLike "$Says*exit $Code"
    }
}
