# The accounts script as Windows PowerShell 3.0 to 5.1 would read it: PowerShell 7's parser
# accepts more than they do, so anything newer is looked for in its syntax tree.
using namespace System.Management.Automation.Language

Describe 'Set-DrivePolicyForAccounts.ps1, parsed' {
    BeforeAll {
        $ParseErrors = $null
        $Ast = [Parser]::ParseFile((Join-Path $PSScriptRoot ../../accounts/Set-DrivePolicyForAccounts.ps1), [ref] $null, [ref] $ParseErrors)
    }

    It 'parses' { $ParseErrors | Should -BeNullOrEmpty }

    It 'has no <What>' -TestCases @(
        @{ What = 'ternary a ? b : c (7.0)'; Newer = { $args[0] -is [TernaryExpressionAst] } }
        @{ What = 'pipeline chain && or || (7.0)'; Newer = { $args[0] -is [PipelineChainAst] } }
        @{ What = '?? or ??= (7.0)'; Newer = { "$($args[0].Operator)" -like 'QuestionQuestion*' } }
        @{ What = '?. or ?[] (7.0)'; Newer = { $args[0].NullConditional } }
        @{ What = 'background & (6.0)'; Newer = { $args[0] -is [PipelineAst] -and $args[0].Background } }
        @{ What = 'class or enum (5.0)'; Newer = { $args[0] -is [TypeDefinitionAst] } }
        @{ What = 'using (5.0)'; Newer = { $args[0] -is [UsingStatementAst] } }
        @{ What = '::new() (5.0)'; Newer = { $args[0] -is [InvokeMemberExpressionAst] -and $args[0].Static -and $args[0].Member.Value -eq 'new' } }
        @{ What = '.ForEach() or .Where() (4.0)'; Newer = { $args[0] -is [InvokeMemberExpressionAst] -and $args[0].Member.Value -in 'ForEach', 'Where' } }
    ) {
        $Ast.FindAll($Newer, $true) | ForEach-Object { $_.Extent.Text } | Should -BeNullOrEmpty
    }

    It 'calls the cmdlets PowerShell 3.0 has, with parameters they have there, and its own functions with theirs' {
        # The cmdlets the script may call and their parameters it may name, as PowerShell 3.0's help gives them.
        $known = @{ 'ForEach-Object' = @(); 'Where-Object' = @(); 'Write-Host' = @(); 'Join-Path' = @(); 'Set-StrictMode' = 'Version'
            'Sort-Object' = 'Property', 'Unique'; 'New-Object' = 'TypeName', 'ArgumentList'; 'Start-Sleep' = 'Seconds' }
        $Ast.FindAll({ $args[0] -is [FunctionDefinitionAst] }, $true) | ForEach-Object { $known[$_.Name] = @($_.Parameters) + @($_.Body.ParamBlock.Parameters) | ForEach-Object { $_.Name.VariablePath.UserPath } }
        # A command called through an expression (& $file) has no name to look up.
        $Ast.FindAll({ $args[0] -is [CommandAst] -and $args[0].GetCommandName() }, $true) | ForEach-Object {
            $name = $_.GetCommandName()
            if (-not $known.ContainsKey($name)) { $name }
            $_.CommandElements | Where-Object { $_ -is [CommandParameterAst] -and $known[$name] -notcontains $_.ParameterName } | ForEach-Object { "$name -$($_.ParameterName)" }
        } | Should -BeNullOrEmpty
    }
}
