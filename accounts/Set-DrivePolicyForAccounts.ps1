<#
.SYNOPSIS
    Writes Talmoran's Lock or Hide drive policy for every account on this PC, or for the named
    accounts, signed in or not, and for accounts made later.

.DESCRIPTION
    Talmoran writes its Explorer policy value for the account that runs it. This script writes
    the same REG_DWORD value, NoViewOnDrive (Lock) or NoDrives (Hide), under
    Software\Microsoft\Windows\CurrentVersion\Policies\Explorer in other accounts' registry:

      - the hive of each account whose profile is loaded (signed in): HKEY_USERS\<SID>;
      - the hive of each other profile on this PC: its NTUSER.DAT, found through
        HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\ProfileList, loaded as
        HKEY_USERS\Talmoran-<SID>, written and unloaded straight away;
      - the Default profile's NTUSER.DAT, which Windows copies for an account that signs in
        on this PC for the first time, so that accounts made later start with the value. It is
        left alone when -Account names accounts.

    Only local and domain accounts (SIDs S-1-5-21-...) and Microsoft Entra ID accounts
    (S-1-12-1-...) are written. SYSTEM, LOCAL SERVICE, NETWORK SERVICE and the other service
    accounts, whose SIDs are of other forms, are skipped.

    Run it as an administrator, elevated, or as SYSTEM. Each account sees the change at its next
    sign-in. Running it again with the same values writes nothing.

    With -WhatIf it lists each account and the value it would get, and loads and writes
    nothing.

    A run that was cut short (a closed window, a device manager's time limit) can leave a
    profile's NTUSER.DAT loaded as HKEY_USERS\Talmoran-...; each run unloads those first.

    A profile is reachable when its hive is loaded, or when the NTUSER.DAT its ProfileList entry
    names exists. Each NTUSER.DAT is written at most once a run: a file that two ProfileList
    entries name (a SID left behind by a domain move, say) is written through the first, and a
    file whose owner is signed in is written in place and not loaded again.

    A user may sign in while the script runs. Just before loading a profile's NTUSER.DAT the
    script looks again for that user's loaded hive, and writes it in place when it finds it. A
    sign-in between that look and the load makes the load fail: that account is reported as
    failed, the run exits 1, and the next run writes it in place. A sign-in during the moment
    the script holds the file loaded finds it in use, and Windows gives that user a temporary
    profile until they sign out and in again.

    Every line of the report goes to standard output. Exit code:
      0  every reachable profile was written (or already held the value); with -Account, every
         named account was; with -WhatIf, nothing failed;
      1  a profile could not be written, a name given to -Account matched no profile on this PC,
         a named account's profile cannot be reached, or something else failed (the last line
         says what); also when PowerShell runs the script in Constrained Language mode, under
         which it cannot reach the registry;
      2  nothing was tried: not run as an administrator or SYSTEM, a parameter missing, unknown
         or not valid. (A parameter given without its value is refused by PowerShell itself,
         before the script runs: powershell.exe -File then exits 1.)

.PARAMETER Restriction
    Lock writes NoViewOnDrive: Explorer refuses to open the drives. Hide writes NoDrives:
    Explorer stops listing them.

.PARAMETER Drives
    The drive letters, with or without a colon, separated by commas (C,D), or All for all 26.
    Give this or -Mask.

.PARAMETER Mask
    The drive mask, in decimal: bit 0 is A:, bit 25 is Z:. C: and D: are 4 + 8 = 12; all 26
    drives are 67108863. 0 lifts the restriction, as Talmoran's Unlock and Unhide do.

.PARAMETER Account
    Only these accounts, each given as DOMAIN\name (the computer's name for a local account,
    AzureAD\name for Entra ID), as a bare name, which matches that name in any domain, or as
    its SID; or as the name of its profile folder, which counts only when no account has that
    name. The report says which way each account matched. Names may also be separated by
    commas in one argument, as powershell.exe -File passes them.

.EXAMPLE
    powershell.exe -ExecutionPolicy Bypass -File .\Set-DrivePolicyForAccounts.ps1 -Restriction Hide -Drives C,D

    Hides C: and D: for every account on this PC and for the accounts made later.

.EXAMPLE
    powershell.exe -ExecutionPolicy Bypass -File .\Set-DrivePolicyForAccounts.ps1 -Restriction Lock -Drives All -Account child,kiosk -WhatIf

    Lists what locking every drive for the accounts child and kiosk would write, and writes
    nothing. Without -WhatIf, it writes it.

.EXAMPLE
    powershell.exe -ExecutionPolicy Bypass -File .\Set-DrivePolicyForAccounts.ps1 -Restriction Hide -Mask 0

    Undoes the first example: every account lists every drive again.
#>
#Requires -Version 3.0
[CmdletBinding(SupportsShouldProcess, PositionalBinding = $false)]
param(
    # Intune's platform scripts run without arguments: give your copy its values here, for
    # example [string] $Restriction = 'Hide' and [string[]] $Drives = 'C,D', and
    # [string[]] $Account = 'child,kiosk' to limit it to some accounts (a list here needs
    # commas inside one string, or @('C', 'D')). The values given on a command line take the
    # place of these.
    [string] $Restriction = '',
    [string[]] $Drives = @(),
    [string] $Mask = '',
    [string[]] $Account = @(),

    # Anything else (a misspelt parameter, a stray value) lands here, so that the script, not
    # PowerShell's binding, refuses it, with the exit code the help gives.
    [Parameter(ValueFromRemainingArguments)] [string[]] $Unknown = @()
)

$PolicyKey = 'Software\Microsoft\Windows\CurrentVersion\Policies\Explorer'
$ProfileListKey = 'SOFTWARE\Microsoft\Windows NT\CurrentVersion\ProfileList'
# Local, domain and Entra ID accounts. The pattern also keeps out the HKEY_USERS\<SID>_Classes
# hives, the <SID>.bak entries a damaged profile leaves in ProfileList, and HKEY_USERS\.DEFAULT,
# which is SYSTEM's own hive, not the Default profile.
$SidPattern = '^S-1-(5-21|12-1)(-\d+)+$'
# An unloaded profile's NTUSER.DAT is loaded as HKEY_USERS\<this><SID>; a run unloads any that
# an earlier run left loaded.
$MountPrefix = 'Talmoran-'

# The registry and reg.exe, behind the functions from here to Test-Elevated. The keys read and
# written are shared by the 32-bit and 64-bit registry views, so a 32-bit PowerShell (Intune's
# default host) reaches the same ones; they are opened in the 64-bit view all the same.
function Open-BaseKey([string] $Hive) {
    [Microsoft.Win32.RegistryKey]::OpenBaseKey($Hive, [Microsoft.Win32.RegistryView]::Registry64)
}

# ProfileList's entries as SID = profile folder (environment names expanded), and its Default
# value, the Default profile's folder, under the name Default.
function Get-ProfileList {
    $list = (Open-BaseKey LocalMachine).OpenSubKey($ProfileListKey)
    if ($null -eq $list) {
        throw "cannot read HKLM\$ProfileListKey"
    }
    try {
        $profiles = @{ Default = $list.GetValue('Default') }
        foreach ($sid in $list.GetSubKeyNames()) {
            $entry = $list.OpenSubKey($sid)
            $profiles[$sid] = if ($null -ne $entry) { $entry.GetValue('ProfileImagePath'); $entry.Dispose() }
        }
        $profiles
    } finally {
        $list.Dispose()
    }
}

# The names under HKEY_USERS.
function Get-LoadedHive {
    (Open-BaseKey Users).GetSubKeyNames()
}

# The value in the hive at HKEY_USERS\$Hive, or nothing; a REG_DWORD comes back as an Int32.
function Read-PolicyValue([string] $Hive, [string] $Name) {
    $key = (Open-BaseKey Users).OpenSubKey("$Hive\$PolicyKey")
    if ($null -ne $key) {
        try { $key.GetValue($Name) } finally { $key.Dispose() }
    }
}

function Write-PolicyValue([string] $Hive, [string] $Name, [int] $Value) {
    $key = (Open-BaseKey Users).CreateSubKey("$Hive\$PolicyKey")
    try { $key.SetValue($Name, $Value, [Microsoft.Win32.RegistryValueKind]::DWord) } finally { $key.Dispose() }
}

# Runs reg.exe, the 64-bit one (a 32-bit PowerShell's System32 is SysWOW64: Sysnative names the
# 64-bit folder), and throws with what it printed when it fails.
function Invoke-Reg {
    # Under 'Stop', Windows PowerShell 5.1 turns reg.exe's standard error, redirected below,
    # into an error that throws before the exit code is read.
    $ErrorActionPreference = 'Continue'
    $folder = if ([Environment]::Is64BitOperatingSystem -and -not [Environment]::Is64BitProcess) { 'Sysnative' } else { 'System32' }
    $output = & (Join-Path $env:SystemRoot "$folder\reg.exe") @args 2>&1
    if ($LASTEXITCODE -ne 0) {
        throw "reg $($args[0]) failed: $($output -join ' ')"
    }
}

function Invoke-RegLoad([string] $Mount, [string] $File) {
    Invoke-Reg load "HKU\$Mount" $File
}

# reg unload fails while a key in the hive is open. The keys this script opens in a hive are
# disposed; collecting lets go of any that PowerShell itself still holds.
function Invoke-RegUnload([string] $Mount) {
    for ($attempt = 1; ; $attempt++) {
        [GC]::Collect()
        [GC]::WaitForPendingFinalizers()
        try {
            Invoke-Reg unload "HKU\$Mount"
            return
        } catch {
            if ($attempt -ge 3) {
                throw "$($_.Exception.Message) HKEY_USERS\$Mount stays loaded until a restart or the next run."
            }
        }
        Start-Sleep -Seconds 1
    }
}

function Test-FileExists([string] $Path) {
    [IO.File]::Exists($Path)
}

# DOMAIN\name, or nothing where the SID names no account any more or its domain cannot be
# reached.
function Get-AccountName([string] $Sid) {
    try {
        (New-Object -TypeName Security.Principal.SecurityIdentifier -ArgumentList $Sid).Translate([Security.Principal.NTAccount]).Value
    } catch {
        $null
    }
}

# SYSTEM's token holds the Administrators group too; an administrator's token holds it only
# when elevated.
function Test-Elevated {
    $identity = [Security.Principal.WindowsIdentity]::GetCurrent()
    (New-Object -TypeName Security.Principal.WindowsPrincipal -ArgumentList $identity).IsInRole([Security.Principal.WindowsBuiltInRole]::Administrator)
}

# The items of each argument, split at commas as powershell.exe -File passes a list.
function Split-List([string[]] $Items) {
    @($Items | ForEach-Object { $_ -split ',' } | ForEach-Object { $_.Trim() } | Where-Object { $_ })
}

# The mask that -Mask or -Drives gives, or nothing when neither or both are given, or when
# the one given is not valid.
function ConvertTo-Mask([string] $Mask, [string[]] $Drives) {
    $letters = Split-List $Drives
    if ($Mask -and -not $letters -and $Mask -match '^\d{1,8}$' -and [int] $Mask -le 67108863) {
        return [int] $Mask
    }
    if ($Mask -or -not $letters) {
        return
    }
    $value = 0
    foreach ($letter in $letters) {
        if ($letter -eq 'All') {
            $value = 67108863
        } elseif ($letter -match '^[A-Z]:?$') {
            $value = $value -bor (1 -shl 'ABCDEFGHIJKLMNOPQRSTUVWXYZ'.IndexOf($letter.Substring(0, 1).ToUpper()))
        } else {
            return
        }
    }
    $value
}

# Writes the value into the hive at HKEY_USERS\$Hive and reads it back; false, with nothing
# written, when the hive already holds it.
function Set-PolicyValue([string] $Hive, [string] $Name, [int] $Value) {
    $before = Read-PolicyValue $Hive $Name
    if ($before -is [int] -and $before -eq $Value) {
        return $false
    }
    Write-PolicyValue $Hive $Name $Value
    $after = Read-PolicyValue $Hive $Name
    if (-not ($after -is [int] -and $after -eq $Value)) {
        throw "$Name reads back as '$after'"
    }
    $true
}

# Writes one profile, a loaded hive in place and another through its NTUSER.DAT, prints its
# line and gives its outcome: written, already set, skipped, failed or, under -WhatIf, listed.
# $Files holds the folders of the loaded hives and of the files tried so far, each with its
# owner's label.
function Write-Profile {
    [CmdletBinding(SupportsShouldProcess)]
    param($Entry, [string] $Name, [int] $Value, [hashtable] $Files)
    $label = $Entry.Label
    $folder = $Entry.Path
    if (-not $Entry.Loaded) {
        if ($folder -and $Files.ContainsKey($folder)) {
            Write-Host "left alone: $label (its NTUSER.DAT is also that of $($Files[$folder]))"
            return 'skipped'
        }
        if (-not $folder -or -not (Test-FileExists "$folder\NTUSER.DAT")) {
            Write-Host "not reachable: $label (no NTUSER.DAT at '$folder')"
            return 'skipped'
        }
        $Files[$folder] = $label
    }
    $where = if ($Entry.Loaded) { 'profile loaded' } else { 'profile not loaded' }
    if (-not $PSCmdlet.ShouldProcess("${label}: $Name = $Value ($where)", "${label}: write $Name = ${Value}?", 'Set-DrivePolicyForAccounts')) {
        return 'listed'
    }
    try {
        # A user who signed in since the run began is written in place: loading their file
        # here now would fail, or keep them from signing in.
        if (-not $Entry.Loaded -and (Get-LoadedHive) -contains $Entry.Sid) {
            $Entry.Loaded = $true
            $where = 'signed in during the run'
        }
        if ($Entry.Loaded) {
            $changed = Set-PolicyValue $Entry.Sid $Name $Value
        } else {
            Invoke-RegLoad $Entry.Mount "$folder\NTUSER.DAT"
            try {
                $changed = Set-PolicyValue $Entry.Mount $Name $Value
            } finally {
                Invoke-RegUnload $Entry.Mount
            }
        }
        $what = if ($changed) { 'written' } else { 'already set' }
        Write-Host "${what}: $label ($where)"
        $what
    } catch {
        Write-Host "FAILED: ${label}: $($_.Exception.Message)"
        'failed'
    }
}

# The run; gives the exit code the help describes.
function Invoke-DrivePolicy {
    [CmdletBinding(SupportsShouldProcess)]
    param([string] $Restriction, [string[]] $Drives, [string] $Mask, [string[]] $Account, [string[]] $Unknown)
    Set-StrictMode -Version 2.0
    $ErrorActionPreference = 'Stop'
    try {
        if ($Unknown) {
            Write-Host "Not a parameter of this script: $($Unknown -join ' '). It takes -Restriction, -Drives or -Mask, -Account and -WhatIf."
            return 2
        }
        $value = ConvertTo-Mask $Mask $Drives
        if ($Restriction -notin 'Lock', 'Hide' -or $null -eq $value) {
            Write-Host 'Give -Restriction Lock or Hide, and -Drives (letters or All) or -Mask (0 to 67108863), for example: -Restriction Hide -Drives C,D'
            return 2
        }
        # Application control runs an untrusted script in Constrained Language mode, which
        # refuses the .NET calls that reach the registry.
        if ($ExecutionContext.SessionState.LanguageMode -ne 'FullLanguage') {
            Write-Host "FAILED: PowerShell runs this script in $($ExecutionContext.SessionState.LanguageMode) mode (application control on this PC), which cannot reach the registry; nothing was written."
            return 1
        }
        if (-not (Test-Elevated)) {
            Write-Host 'Run this as an administrator, elevated (Run as administrator), or as SYSTEM.'
            return 2
        }
        $valueName = if ($Restriction -eq 'Lock') { 'NoViewOnDrive' } else { 'NoDrives' }
        Write-Host "$valueName = $value ($Restriction)"
        $failed = 0
        $loaded = @(Get-LoadedHive)
        # A run cut short between reg load and reg unload left its mount; its user cannot sign
        # in with their own profile while it is loaded.
        foreach ($mount in $loaded -like "$MountPrefix*") {
            if ($PSCmdlet.ShouldProcess("HKEY_USERS\$mount, left loaded by an earlier run: unload", "unload HKEY_USERS\${mount}?", 'Set-DrivePolicyForAccounts')) {
                try {
                    Invoke-RegUnload $mount
                    Write-Host "unloaded: HKEY_USERS\$mount, left loaded by an earlier run"
                } catch {
                    Write-Host "FAILED: $($_.Exception.Message)"
                    $failed++
                }
            }
        }

        # The accounts' profiles: ProfileList's entries, and the loaded hives of accounts with no
        # entry there, of the SIDs $SidPattern takes.
        $list = Get-ProfileList
        $profiles = @(@($list.Keys) + $loaded | Where-Object { $_ -match $SidPattern } | Sort-Object -Unique | ForEach-Object {
                $name = Get-AccountName $_
                $path = $list[$_]
                $label = if ($name) { $name } elseif ($path) { $path } else { 'unknown account' }
                [PSCustomObject] @{ Sid = $_; Path = $path; Account = $name; Loaded = $loaded -contains $_; Label = "$label, $_"; Mount = "$MountPrefix$_" }
            })
        # A loaded hive's file is not loaded again, whether its account is written or not.
        $files = @{}
        foreach ($p in $profiles) {
            if ($p.Loaded -and $p.Path) {
                $files[$p.Path] = $p.Label
            }
        }
        $names = Split-List $Account
        if ($names) {
            $chosen = @{}
            foreach ($n in $names) {
                # An account's name wins over a folder's: a renamed account keeps its old folder,
                # whose name a new account may now have.
                $how = 'by account name or SID'
                $matched = @($profiles | Where-Object { $n -eq $_.Sid -or ($_.Account -and ($n -eq $_.Account -or $n -eq ($_.Account -split '\\')[-1])) })
                if (-not $matched) {
                    $how = 'by folder name'
                    $matched = @($profiles | Where-Object { $_.Path -and $n -eq ($_.Path -split '\\')[-1] })
                }
                if (-not $matched) {
                    # An account that never signed in on this PC has no profile yet.
                    Write-Host "FAILED: ${n}: no account or profile folder of that name on this PC (an account gets its profile at its first sign-in)"
                    $failed++
                }
                foreach ($p in $matched) {
                    $p.Label += " (-Account $n, $how)"
                    $chosen[$p.Sid] = $p
                }
            }
            $profiles = @($chosen.Values | Sort-Object -Property Sid)
        } else {
            $profiles += [PSCustomObject] @{ Sid = ''; Path = $list['Default']; Account = $null; Loaded = $false; Label = 'the Default profile, for accounts made later'; Mount = "${MountPrefix}Default" }
        }

        $counts = @{ written = 0; 'already set' = 0; skipped = 0; failed = $failed; listed = 0 }
        foreach ($p in $profiles) {
            $outcome = Write-Profile $p $valueName $value $files
            # Each named account that is not written is a failure.
            if ($outcome -eq 'skipped' -and $names) {
                $outcome = 'failed'
            }
            $counts[$outcome]++
        }
        Write-Host "$($counts.written) written, $($counts['already set']) already set, $($counts.skipped) not reachable or left alone, $($counts.failed) failed"
        [int] ($counts.failed -gt 0)
    } catch {
        Write-Host "FAILED, run stopped: $($_.Exception.Message) (line $($_.InvocationInfo.ScriptLineNumber))"
        1
    }
}

# Run, not dot-sourced (as the tests do): the run's result is the exit code.
if ($MyInvocation.InvocationName -ne '.') {
    exit (Invoke-DrivePolicy -Restriction $Restriction -Drives $Drives -Mask $Mask -Account $Account -Unknown $Unknown)
}
